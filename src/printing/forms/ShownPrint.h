#pragma once
// The print command of a record screen: the shown document, or the empty form while none
// is shown; while Save is enabled it is a preview.
#include <functional>

#include "printing/DocumentPrint.h"

namespace kavra {
class Screen;
class RecordController;
}  // namespace kavra

namespace kavra::Print {

void printShown(Screen* screen, RecordController* ctl, const std::function<Document(qint64)>& stored,
                const Document& blank);

}  // namespace kavra::Print

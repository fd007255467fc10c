#include "printing/forms/ShownPrint.h"

#include <QPushButton>

#include "ui/RecordController.h"
#include "ui/Screen.h"

namespace kavra::Print {

void printShown(Screen* screen, RecordController* ctl, const std::function<Document(qint64)>& stored,
                const Document& blank) {
    auto* cmdSave = screen->findChild<QPushButton*>(QStringLiteral("cmdSave"));
    try {
        const Document doc =
            ctl->currentId() != 0 && ctl->state() != RecState::Adding ? stored(ctl->currentId()) : blank;
        printDocument(screen->prod().db(), Dialogs::current(), doc, cmdSave && cmdSave->isEnabled());
    } catch (const DbError& e) {
        screen->logFailure(e);
    }
}

}  // namespace kavra::Print

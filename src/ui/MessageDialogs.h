#pragma once
#include "core/Dialogs.h"

class QMessageBox;

namespace kavra {

// Message boxes on the active window.
class MessageDialogs : public Dialogs {
  public:
    void showMessage(const QString& title, const QString& text, MsgIcon icon) override;
    bool askQuestion(const QString& title, const QString& text, bool defaultNo) override;
    QString chooseFile(const QString& title, const QString& folder, const QString& filter) override;

    // A box at least as wide as its title with the title bar's buttons, so the window
    // manager does not cut the title ("LOGI... AILED").
    static void fitTitle(QMessageBox& box);
};

}  // namespace kavra

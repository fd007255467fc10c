#include "ui/MessageDialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace kavra {

namespace {
QMessageBox::Icon toIcon(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::Question:
            return QMessageBox::Question;
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Critical:
            return QMessageBox::Critical;
        case MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}
}  // namespace

void MessageDialogs::message(const QString& title, const QString& text, MsgIcon icon) {
    QMessageBox box(toIcon(icon), title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

bool MessageDialogs::question(const QString& title, const QString& text, bool defaultNo) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace kavra

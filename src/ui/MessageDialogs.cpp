#include "ui/MessageDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

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

void MessageDialogs::fitTitle(QMessageBox& box) {
    QFont f = box.font();
    f.setBold(true);
    // The title bar's icon and buttons take about this much beside the title.
    const int wanted = QFontMetrics(f).horizontalAdvance(box.windowTitle()) + 160;
    if (auto* g = qobject_cast<QGridLayout*>(box.layout()))
        g->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), g->rowCount(), 0, 1,
                   g->columnCount());
}

void MessageDialogs::showMessage(const QString& title, const QString& text, MsgIcon icon) {
    QMessageBox box(toIcon(icon), title, text, QMessageBox::Ok, QApplication::activeWindow());
    fitTitle(box);
    box.exec();
}

bool MessageDialogs::askQuestion(const QString& title, const QString& text, bool defaultNo) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
    fitTitle(box);
    return box.exec() == QMessageBox::Yes;
}

QString MessageDialogs::chooseFile(const QString& title, const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, folder, filter);
}

}  // namespace kavra

#include "production/forms/MachineScreen.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTextEdit>

#include "ui/Widgets.h"

namespace kavra {

FrmMachine::FrmMachine()
    : MasterScreen(QStringLiteral("frmMachine"), paddedCaption(QStringLiteral("MASTER - MACHINE"))) {
    auto* heading = new QLabel(QStringLiteral("Machine Details"), this);
    heading->setStyleSheet(QStringLiteral("font-size: 14pt; font-weight: bold;"));
    txtMachId_ = makeLineEdit(this, "txtMachId", 10);
    txtMachId_->setReadOnly(true);
    txtMachName_ = makeLineEdit(this, "txtMachName", 100);
    txtMachModel_ = makeLineEdit(this, "txtMachModel", 100);
    txtMachCapa_ = makeLineEdit(this, "txtMachCapa", 100);
    txtMachAccu_ = makeLineEdit(this, "txtMachAccu", 100);
    txtOtherDet_ = new QTextEdit(this);
    txtOtherDet_->setObjectName(QStringLiteral("txtOtherDet"));
    txtOtherDet_->setAcceptRichText(false);
    txtOtherDet_->setTabChangesFocus(true);
    auto* f = new QFormLayout;
    f->addRow(heading);
    f->addRow(QStringLiteral("Machine Id"), txtMachId_);
    f->addRow(QStringLiteral("Machine Name"), txtMachName_);
    f->addRow(QStringLiteral("* Model"), txtMachModel_);
    f->addRow(QStringLiteral("* Capacity"), txtMachCapa_);
    f->addRow(QStringLiteral("* Accuracy"), txtMachAccu_);
    f->addRow(QStringLiteral("* Other Details"), txtOtherDet_);

    RecordTexts t;
    t.adding = QStringLiteral("You are about to ADD a NEW Machine Now...");
    t.showing = QStringLiteral("You are about to MODIFY the existing Machine Now...");
    t.modifying = t.showing;
    t.deleting = QStringLiteral("You are about to DELETE the existing Machine now...");
    t.afterWrite = t.showing;
    t.saveQuestion = QStringLiteral("Are You Sure To Save ?");
    t.modifyQuestion = QStringLiteral("Are You Sure To Modify ?");
    t.deleteQuestion = QStringLiteral("Are You sure to delete this Machine with the Maintainance Schedules?");
    t.saved = QStringLiteral("Records Updated .");
    t.modified = QStringLiteral("Records Updated .");
    t.deleted = QStringLiteral("Records Deleted .");
    finishLayout(f, QStringLiteral("List of Machines:"), t);
    attachTypeAhead(txtMachName_, lstNames_);
    connect(lstNames_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* it) {
        if (auto id = Machines::idOfName(prod().db(), it->text())) ctl_->showId(*id);
    });
    resize(760, 420);
}

void FrmMachine::refreshLists() {
    lstNames_->clear();
    lstNames_->addItems(Machines::names(prod().db()));
}

QList<qint64> FrmMachine::navigation() {
    return Machines::ids(prod().db());
}

qint64 FrmMachine::proposeId() {
    return Machines::proposedId(prod().db());
}

void FrmMachine::showRecord(qint64 id) {
    const auto m = Machines::load(prod().db(), id);
    if (!m) return;
    txtMachId_->setText(QString::number(m->id));
    txtMachName_->setText(m->name);
    txtMachModel_->setText(m->model);
    txtMachCapa_->setText(m->capacity);
    txtMachAccu_->setText(m->accuracy);
    txtOtherDet_->setPlainText(m->otherDet);
}

void FrmMachine::clearForNew(qint64 id) {
    txtMachId_->setText(QString::number(id));
    for (QLineEdit* e : {txtMachName_, txtMachModel_, txtMachCapa_, txtMachAccu_}) e->clear();
    txtOtherDet_->clear();
    txtMachName_->setFocus();
}

Machines::Machine FrmMachine::read() const {
    return {txtMachId_->text().toLongLong(),
            txtMachName_->text(),
            txtMachModel_->text(),
            txtMachCapa_->text(),
            txtMachAccu_->text(),
            txtOtherDet_->toPlainText()};
}

Check FrmMachine::validate(bool adding) {
    return Machines::validate(prod().db(), read(), adding);
}

qint64 FrmMachine::write(bool adding, qint64 id) {
    Machines::Machine m = read();
    m.id = id;
    return Machines::save(prod().db(), m, adding);
}

Check FrmMachine::deleteBlock() {
    return Machines::deleteBlock(prod().db(), ctl_->currentId());
}

void FrmMachine::remove(qint64 id) {
    Machines::remove(prod().db(), id);
}

}  // namespace kavra

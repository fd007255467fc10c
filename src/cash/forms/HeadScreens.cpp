#include "cash/forms/HeadScreens.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include "ui/Widgets.h"

namespace kavra {

FrmHead::FrmHead(const Heads::Kind& kind)
    : MasterScreen(kind.screen, paddedCaption(QStringLiteral("MASTER - Accounts"))), k_(kind) {
    auto* heading = new QLabel(kind.heading, this);
    heading->setStyleSheet(QStringLiteral("font-size: 14pt; font-weight: bold;"));
    code_ = makeLineEdit(this, kind.codeField.toLatin1().constData(), 10);
    code_->setReadOnly(true);
    name_ = makeLineEdit(this, kind.nameField.toLatin1().constData(), 50);
    desc_ = makeLineEdit(this, kind.descField.toLatin1().constData(), 200);
    optDirect_ = new QRadioButton(QStringLiteral("Direct"), this);
    optDirect_->setObjectName(QStringLiteral("optDirect"));
    optIndirect_ = new QRadioButton(QStringLiteral("InDirect"), this);
    optIndirect_->setObjectName(QStringLiteral("optIndirect"));
    auto* type = new QHBoxLayout;
    type->addWidget(optDirect_);
    type->addWidget(optIndirect_);
    type->addStretch();
    auto* f = new QFormLayout;
    f->addRow(heading);
    f->addRow(kind.codeCaption, code_);
    f->addRow(kind.nameCaption, name_);
    f->addRow(QStringLiteral("Description"), desc_);
    f->addRow(kind.typeCaption, type);

    RecordTexts t;
    t.adding = kind.adding;
    t.showing = kind.modifying;
    t.modifying = kind.modifying;
    t.deleting = kind.deleting;
    t.afterWrite = kind.modifying;
    t.saved = QStringLiteral("Records Saved!");
    t.modified = QStringLiteral("Records Modified!");
    t.deleted = kind.deleted;
    t.deleteGoesFirst = true;
    finishLayout(f, kind.listCaption, t);
    attachTypeAhead(name_, lstNames_);
    connect(optDirect_, &QRadioButton::clicked, ctl_, &RecordController::fieldEdited);
    connect(optIndirect_, &QRadioButton::clicked, ctl_, &RecordController::fieldEdited);
    connect(lstNames_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* it) {
        if (auto code = Heads::codeOfName(prod().db(), k_, it->text())) ctl_->showId(*code);
    });
    resize(720, 360);
}

void FrmHead::refreshLists() {
    lstNames_->clear();
    lstNames_->addItems(Heads::names(prod().db(), k_));
}

QList<qint64> FrmHead::navigation() {
    return Heads::ids(prod().db(), k_);
}

qint64 FrmHead::proposeId() {
    return Heads::proposedId(prod().db(), k_);
}

void FrmHead::showRecord(qint64 id) {
    const auto h = Heads::load(prod().db(), k_, id);
    if (!h) return;
    code_->setText(QString::number(h->code));
    name_->setText(h->name);
    desc_->setText(h->desc);
    (h->direct ? optDirect_ : optIndirect_)->setChecked(true);
}

void FrmHead::clearForNew(qint64 id) {
    code_->setText(QString::number(id));
    name_->clear();
    desc_->clear();
    optDirect_->setChecked(true);
    name_->setFocus();
}

Heads::Head FrmHead::read() const {
    return {code_->text().toLongLong(), name_->text(), desc_->text(), optDirect_->isChecked()};
}

Check FrmHead::validate(bool adding) {
    return Heads::validate(prod().db(), k_, read(), adding);
}

qint64 FrmHead::write(bool adding, qint64 id) {
    Heads::Head h = read();
    h.code = id;
    return Heads::save(prod().db(), k_, h, adding);
}

Check FrmHead::modifyBlock() {
    return Heads::modifyBlock(k_, ctl_->currentId());
}

Check FrmHead::deleteBlock() {
    return Heads::deleteBlock(prod().db(), k_, ctl_->currentId());
}

void FrmHead::remove(qint64 id) {
    Heads::remove(prod().db(), k_, id);
}

QString FrmHead::confirmText(bool adding) {
    return adding ? QStringLiteral("Are You Sure To Save?") : QStringLiteral("Are You Sure To Modify?");
}

}  // namespace kavra

#include "staff/forms/StaffScreen.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

#include "core/Session.h"
#include "core/Sql.h"
#include "ui/Widgets.h"

namespace kavra {

namespace {

void fill(QComboBox* c, const QStringList& values) {
    const QString typed = c->currentText();
    c->clear();
    c->addItems(values);
    c->setEditText(typed);
}

}  // namespace

FrmStaff::FrmStaff() : MasterScreen(QStringLiteral("frmStaff"), paddedCaption(QStringLiteral("MASTER - STAFF"))) {
    auto* heading = new QLabel(QStringLiteral("Employee Details"), this);
    heading->setStyleSheet(QStringLiteral("font-size: 14pt; font-weight: bold;"));
    txtStaffId_ = makeLineEdit(this, "txtStaffId", 9);
    txtStaffId_->setValidator(numberValidator(txtStaffId_, 9, 0));
    txtStaffName_ = makeLineEdit(this, "txtStaffName", 100);
    txtFatherHusbName_ = makeLineEdit(this, "txtFatherHusbName", 100);
    optMale_ = new QRadioButton(QStringLiteral("Male"), this);
    optMale_->setObjectName(QStringLiteral("optMale"));
    optFemale_ = new QRadioButton(QStringLiteral("Female"), this);
    optFemale_->setObjectName(QStringLiteral("optFemale"));
    auto* sexes = new QButtonGroup(this);
    sexes->addButton(optMale_);
    sexes->addButton(optFemale_);
    auto* sexRow = new QHBoxLayout;
    sexRow->addWidget(optMale_);
    sexRow->addWidget(optFemale_);
    sexRow->addStretch();
    txtAddr_ = makeLineEdit(this, "txtAddr", 200);
    txtCity_ = makeLineEdit(this, "txtCity", 50);
    txtPhMail_ = makeLineEdit(this, "txtPhMail", 100);
    cmbDesig_ = makeEarlierValuesBox(this, "cmbDesig");
    cmbDept_ = makeEarlierValuesBox(this, "cmbDept");
    dtpDOJ_ = new QDateEdit(this);
    dtpDOJ_->setObjectName(QStringLiteral("dtpDOJ"));
    dtpDOJ_->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    dtpDOJ_->setCalendarPopup(true);
    txtPFCode_ = makeLineEdit(this, "txtPFCode", 30);
    txtESICode_ = makeLineEdit(this, "txtESICode", 30);
    txtOtherDet_ = new QTextEdit(this);
    txtOtherDet_->setObjectName(QStringLiteral("txtOtherDet"));
    txtOtherDet_->setAcceptRichText(false);
    txtOtherDet_->setTabChangesFocus(true);
    txtOtherDet_->setMaximumHeight(70);
    lblDOL_ = new QLabel(this);
    lblDOL_->setObjectName(QStringLiteral("lblDOL"));
    lblDOL_->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold;"));

    auto* f = new QFormLayout;
    f->addRow(heading);
    f->addRow(QStringLiteral("Employee ID"), txtStaffId_);
    f->addRow(QStringLiteral("Employee Name"), txtStaffName_);
    f->addRow(QStringLiteral("* Father / Husband Name"), txtFatherHusbName_);
    f->addRow(QStringLiteral("Sex"), sexRow);
    f->addRow(QStringLiteral("* Address"), txtAddr_);
    f->addRow(QStringLiteral("* City"), txtCity_);
    f->addRow(QStringLiteral("* Phone / Mail"), txtPhMail_);
    f->addRow(QStringLiteral("Designation"), cmbDesig_);
    f->addRow(QStringLiteral("* Department"), cmbDept_);
    f->addRow(QStringLiteral("Date of Joining"), dtpDOJ_);
    f->addRow(QStringLiteral("* P.F. Code No."), txtPFCode_);
    f->addRow(QStringLiteral("* E.S.I. Code No."), txtESICode_);
    f->addRow(QStringLiteral("* Other Details"), txtOtherDet_);
    f->addRow(lblDOL_);

    RecordTexts t;
    t.adding = QStringLiteral("You are about to ADD a NEW Employee Now...");
    t.showing = QStringLiteral("You are about to MODIFY the existing Employee Now...");
    t.modifying = t.showing;
    t.deleting = QStringLiteral("You are about to DELETE the existing Employee now...");
    t.afterWrite = t.showing;
    t.saveQuestion = QStringLiteral("Are You Sure To Save?");
    t.modifyQuestion = QStringLiteral("Are You Sure To Modify?");
    t.deleteQuestion = QStringLiteral(
        "BEFORE deleting this Record, ensure all the accounts to this Employee is settled.\n"
        "Since after deleting the record, You can't revert back!!!\n"
        " Are You sure to Delete?");
    t.saved = QStringLiteral("Records Saved!");
    t.modified = QStringLiteral("Records Modified!");
    t.deleted = QStringLiteral("Records Deleted.");
    finishLayout(f, QStringLiteral("List of Current Employees:"), t);
    cmdDelete_ = findChild<QPushButton*>(QStringLiteral("cmdDelete"));
    for (QRadioButton* b : {optMale_, optFemale_})
        connect(b, &QRadioButton::toggled, this, [this, b] {
            if (b->hasFocus()) ctl_->fieldEdited();
        });
    connect(dtpDOJ_, &QDateEdit::dateChanged, this, [this] {
        if (dtpDOJ_->hasFocus()) ctl_->fieldEdited();
    });
    for (QComboBox* c : {cmbDesig_, cmbDept_})
        connect(c->lineEdit(), &QLineEdit::textEdited, ctl_, &RecordController::fieldEdited);
    attachTypeAhead(txtStaffName_, lstNames_);
    connect(lstNames_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* it) { ctl_->showId(it->data(Qt::UserRole).toLongLong()); });
    resize(820, 560);
}

void FrmStaff::refreshLists() {
    lstNames_->clear();
    for (const auto& [id, name] : Employees::currentList(prod().db())) {
        auto* it = new QListWidgetItem(name, lstNames_);
        it->setData(Qt::UserRole, id);
    }
    fill(cmbDesig_, Employees::designations(prod().db()));
    fill(cmbDept_, Employees::departments(prod().db()));
}

QList<qint64> FrmStaff::navigation() {
    return Employees::ids(prod().db());
}

qint64 FrmStaff::proposeId() {
    return Employees::proposedId(prod().db());
}

void FrmStaff::showLeaving(const QDate& dol) {
    left_ = dol.isValid();
    lblDOL_->setText(left_ ? QStringLiteral("Date of Leaving : ") + dol.toString(QStringLiteral("dd/MM/yyyy"))
                           : QString());
    if (cmdDelete_) cmdDelete_->setText(left_ ? QStringLiteral("&Revoke") : QStringLiteral("&Delete"));
}

void FrmStaff::showRecord(qint64 id) {
    const auto e = Employees::load(prod().db(), id);
    if (!e) return;
    txtStaffId_->setText(QString::number(e->id));
    // The number is the record's key: typed once, on New.
    txtStaffId_->setReadOnly(true);
    txtStaffName_->setText(e->name);
    txtFatherHusbName_->setText(e->fatherName);
    optMale_->setChecked(e->sex == QLatin1String("Male"));
    optFemale_->setChecked(e->sex == QLatin1String("Female"));
    txtAddr_->setText(e->addr);
    txtCity_->setText(e->city);
    txtPhMail_->setText(e->phmail);
    cmbDesig_->setEditText(e->desig);
    cmbDept_->setEditText(e->dept);
    dtpDOJ_->setDate(e->doj.isValid() ? e->doj : Clock::today());
    txtPFCode_->setText(e->pfCode);
    txtESICode_->setText(e->esiCode);
    txtOtherDet_->setPlainText(e->otherDet);
    showLeaving(e->current ? QDate() : (e->dol.isValid() ? e->dol : Clock::today()));
}

void FrmStaff::clearForNew(qint64 id) {
    txtStaffId_->setReadOnly(false);
    txtStaffId_->setText(QString::number(id));
    for (QLineEdit* e : {txtStaffName_, txtFatherHusbName_, txtAddr_, txtCity_, txtPhMail_, txtPFCode_, txtESICode_})
        e->clear();
    // Neither sex is proposed: the user says which.
    for (QRadioButton* b : {optMale_, optFemale_}) {
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(true);
    }
    cmbDesig_->setEditText(QString());
    cmbDept_->setEditText(QString());
    dtpDOJ_->setDate(Clock::today());
    txtOtherDet_->clear();
    showLeaving(QDate());
    txtStaffId_->setFocus();
    txtStaffId_->selectAll();
}

Employees::Employee FrmStaff::read() const {
    Employees::Employee e;
    e.id = txtStaffId_->text().toLongLong();
    e.name = txtStaffName_->text();
    e.fatherName = txtFatherHusbName_->text();
    e.sex = optMale_->isChecked()     ? QStringLiteral("Male")
            : optFemale_->isChecked() ? QStringLiteral("Female")
                                      : QString();
    e.addr = txtAddr_->text();
    e.city = txtCity_->text();
    e.phmail = txtPhMail_->text();
    e.desig = cmbDesig_->currentText();
    e.dept = cmbDept_->currentText();
    e.doj = dtpDOJ_->date();
    e.pfCode = txtPFCode_->text();
    e.esiCode = txtESICode_->text();
    e.otherDet = txtOtherDet_->toPlainText();
    return e;
}

Check FrmStaff::validate(bool adding) {
    return Employees::validate(prod().db(), read(), adding);
}

bool FrmStaff::agreesToWrite(bool) {
    const auto other = Employees::sameName(prod().db(), read());
    if (!other) return true;
    return Dialogs::current().question(appTitle(),
                                       QStringLiteral("The same Employee Name Exists in EmployeeId : ") +
                                           QString::number(*other) +
                                           QStringLiteral("\nAnyhow You want to Save the Data?"),
                                       false);
}

qint64 FrmStaff::write(bool adding, qint64) {
    const Employees::Employee e = read();
    Employees::save(prod().db(), e, adding);
    return e.id;
}

bool FrmStaff::deleteInstead() {
    if (!left_) return false;
    Dialogs& d = Dialogs::current();
    if (!d.question(appTitle(), QStringLiteral("Are you sure to Revoke this Employee to the Current List...!!!"),
                    false))
        return true;
    const qint64 id = ctl_->currentId();
    Sql::transaction(prod().db(), [&] { Employees::revoke(prod().db(), id); });
    d.information(appTitle(), QStringLiteral("Record is now Revoked to the Current List of Employees"));
    refreshLists();
    ctl_->showId(id);
    return true;
}

void FrmStaff::remove(qint64 id) {
    Employees::remove(prod().db(), id, Clock::today());
}

bool FrmStaff::keptOnRemove(qint64 id) {
    return Employees::load(prod().db(), id).has_value();
}

}  // namespace kavra

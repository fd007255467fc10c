#include "masters/forms/MiscScreens.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDoubleValidator>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTextEdit>
#include <QVBoxLayout>

#include "core/Text.h"
#include "ui/Widgets.h"

namespace kavra {

namespace {

QLineEdit* addText(QFormLayout* f, QWidget* parent, const char* name, const char* caption, int maxLen = 50) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(maxLen);
    f->addRow(QString::fromUtf8(caption), e);
    return e;
}

QCheckBox* addCheck(QLayout* l, QWidget* parent, const char* name, const char* caption) {
    auto* c = new QCheckBox(QString::fromUtf8(caption), parent);
    c->setObjectName(QString::fromLatin1(name));
    l->addWidget(c);
    return c;
}

QGroupBox* group(const char* title, QWidget* parent) {
    return new QGroupBox(QString::fromUtf8(title), parent);
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    return makeButton(parent, name, caption);
}

QString buttonVerb(const QPushButton* b) {
    return b->text().remove(QLatin1Char('&'));
}

}  // namespace

FrmMisc::FrmMisc() : Screen(QStringLiteral("frmMisc")) {
    setWindowTitle(paddedCaption(QStringLiteral("MASTER")));

    auto* company = group("Company", this);
    auto* cf = new QFormLayout(company);
    rtbHeadP_ = new QTextEdit(company);
    rtbHeadP_->setObjectName(QStringLiteral("rtbHeadP"));
    rtbHeadP_->setAcceptRichText(false);
    rtbHeadP_->setFixedHeight(QFontMetrics(font()).lineSpacing() * 3 + 14);
    rtbPrintShortAddr_ = new QTextEdit(company);
    rtbPrintShortAddr_->setObjectName(QStringLiteral("rtbPrintShortAddr"));
    rtbPrintShortAddr_->setAcceptRichText(false);
    rtbPrintShortAddr_->setFixedHeight(QFontMetrics(font()).lineSpacing() * 4 + 14);
    cf->addRow(QStringLiteral("* Print Page Heading"), rtbHeadP_);
    cf->addRow(QStringLiteral("* Print   Address in  Statutory forms"), rtbPrintShortAddr_);

    auto* tax = group("Registrations", this);
    auto* tf = new QFormLayout(tax);
    addText(tf, tax, "txtMyKST", "* My LST No.");
    addText(tf, tax, "txtMyCST", "* My CST No.");
    addText(tf, tax, "txtMyVATRegNo", "* My TIN. No.");
    addText(tf, tax, "txtMyPANno", "* My PAN. No.");
    addText(tf, tax, "txtMyServRegNo", "* My Serv. Reg. No.");
    addText(tf, tax, "txtAcctCircle", "* Accounting Circle  (Used in VAT forms)");

    auto* excise = group("Central Excise", this);
    auto* ef = new QFormLayout(excise);
    addText(ef, excise, "txtRng", "* Range");
    addText(ef, excise, "txtDivi", "*  Division");
    addText(ef, excise, "txtcommission", "* Commissionerate");
    addText(ef, excise, "txtMyCERegNo", "* My Central Excise       Reg. Cert. No.");

    auto* prefix = group("Prefix to Your Documents", this);
    auto* pf = new QFormLayout(prefix);
    addText(pf, prefix, "txtPrefixQuote", "* Prefix  to Quotation No.", 10);
    addText(pf, prefix, "txtPrefixPO", "* Prefix to P.O. No.(Purchase)", 10);
    addText(pf, prefix, "txtPrefixWO", "* Prefix to P.O. No.(SubCon)", 10);

    auto* stock = group("Link with Stock", this);
    auto* sl = new QHBoxLayout(stock);
    addCheck(sl, stock, "chkStkSales", "Sales");
    addCheck(sl, stock, "chkStkLabour", "Labour work");
    addCheck(sl, stock, "chkStkSubCon", "SubContract");

    auto* dcBook = group("Choose DC  Outgoing Type (for Auto Running No.)", this);
    auto* dl = new QVBoxLayout(dcBook);
    const char* dcCaptions[] = {"Sales, Labour, SubContract - ALL SEPARATE BOOKS",
                                "Sales && Labour - ONE COMBINED BOOK, SubContract - ONE BOOK",
                                "Sales, Labour, SubContract - ALL IN ONE BOOK"};
    for (int i = 0; i < 3; ++i) {
        // "&&" shows one "&" on a button caption.
        optBookType_[i] = new QRadioButton(QString::fromLatin1(dcCaptions[i]), dcBook);
        optBookType_[i]->setObjectName(QStringLiteral("optBookType%1").arg(i + 1));
        dl->addWidget(optBookType_[i]);
        connect(optBookType_[i], &QRadioButton::toggled, this, &FrmMisc::recolour);
    }
    auto* invBook = group("Choose Invoice Type (for Auto Running No.)", this);
    auto* il = new QVBoxLayout(invBook);
    const char* invCaptions[] = {"Sales && Labour - ONE COMBINED BOOK", "Sales && Labour - SEPARATE BOOKS"};
    for (int i = 0; i < 2; ++i) {
        optBookTypeINV_[i] = new QRadioButton(QString::fromLatin1(invCaptions[i]), invBook);
        optBookTypeINV_[i]->setObjectName(QStringLiteral("optBookTypeINV%1").arg(i + 1));
        il->addWidget(optBookTypeINV_[i]);
        connect(optBookTypeINV_[i], &QRadioButton::toggled, this, &FrmMisc::recolour);
    }

    auto* roff = group("Round Off Bill Amount", this);
    auto* rl = new QVBoxLayout(roff);
    addCheck(rl, roff, "chkROffPurchase", "Purchase");
    addCheck(rl, roff, "chkRoffSales", "Manufacturing Sales");
    addCheck(rl, roff, "chkROffLabour", "Labour (Sales)");
    addCheck(rl, roff, "chkROffSubContract", "SubContract Job");
    auto* retrk = group("Re-track Rejections with PO", this);
    auto* tl = new QVBoxLayout(retrk);
    addCheck(tl, retrk, "chkReTrkRejPurch", "Purchase");
    addCheck(tl, retrk, "chkReTrkRejMfgSale", "Manufacturing Sales");
    addCheck(tl, retrk, "chkReTrkRejLabourSale", "Labour Job - Sales");
    addCheck(tl, retrk, "chkReTrkRejSubCon", "Sub Contract");

    cmdModify_ = button(this, "cmdModify", QStringLiteral("&Modify"));
    auto* more = button(this, "cmdMore", QStringLiteral("M&ore..."));
    auto* close = button(this, "cmdExit", QStringLiteral("&CLOSE"));
    lblCorres_ = new QLabel(this);
    lblCorres_->setObjectName(QStringLiteral("lblCorres"));
    lblCorres_->setStyleSheet(QStringLiteral("color: #1f4f9f; text-decoration: underline;"));

    // Three columns keep the whole page on a 1366 x 768 screen.
    auto* grid = new QGridLayout;
    grid->addWidget(company, 0, 0, 1, 3);
    grid->addWidget(tax, 1, 0);
    grid->addWidget(excise, 1, 1);
    grid->addWidget(prefix, 1, 2);
    grid->addWidget(dcBook, 2, 0);
    grid->addWidget(invBook, 2, 1);
    grid->addWidget(stock, 2, 2);
    grid->addWidget(roff, 3, 0);
    grid->addWidget(retrk, 3, 1);
    sl->setDirection(QBoxLayout::TopToBottom);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblCorres_);
    buttons->addStretch();
    buttons->addWidget(cmdModify_);
    buttons->addWidget(more);
    buttons->addWidget(close);
    auto* v = new QVBoxLayout(this);
    v->addLayout(grid);
    v->addLayout(buttons);

    connect(cmdModify_, &QPushButton::clicked, this, &FrmMisc::cmdModify);
    connect(more, &QPushButton::clicked, this, &FrmMisc::cmdMore);
    connect(close, &QPushButton::clicked, this, &Screen::closeWindow);
}

QLineEdit* FrmMisc::text(const char* name) const {
    return findChild<QLineEdit*>(QString::fromLatin1(name));
}
QCheckBox* FrmMisc::check(const char* name) const {
    return findChild<QCheckBox*>(QString::fromLatin1(name));
}

bool FrmMisc::load() {
    if (!Screen::load()) return false;
    try {
        const auto s = Misc::load(prod().db());
        if (s) {
            showSettings(*s);
        } else {
            optBookType_[0]->setChecked(true);
            optBookTypeINV_[0]->setChecked(true);
        }
        cmdModify_->setText(s && Misc::detailsEntered(prod().db()) ? QStringLiteral("&Modify")
                                                                   : QStringLiteral("&Save"));
        lblCorres_->setText(clsProd::AttachmentLabel(prod().AttachmentCount(screenName(), 0)));
    } catch (const DbError& e) {
        logFailure(e);
    }
    recolour();
    return true;
}

namespace {
using S = Misc::Settings;
struct TextField {
    const char* control;
    QString S::*field;
};
const TextField kTextFields[] = {
    {"txtMyKST", &S::myKST},
    {"txtMyCST", &S::myCST},
    {"txtMyVATRegNo", &S::myVATRegNo},
    {"txtMyPANno", &S::myPANNo},
    {"txtMyServRegNo", &S::myServRegNo},
    {"txtRng", &S::rng},
    {"txtDivi", &S::divi},
    {"txtcommission", &S::commission},
    {"txtMyCERegNo", &S::myCERegNo},
    {"txtAcctCircle", &S::acctCircle},
    {"txtPrefixQuote", &S::prefixQuote},
    {"txtPrefixPO", &S::prefixPO},
    {"txtPrefixWO", &S::prefixWO},
};
struct CheckField {
    const char* control;
    bool S::*field;
};
const CheckField kCheckFields[] = {
    {"chkStkSales", &S::redStkM},
    {"chkStkLabour", &S::redStkL},
    {"chkStkSubCon", &S::redStkSC},
    {"chkROffPurchase", &S::roffPurch},
    {"chkRoffSales", &S::roffSales},
    {"chkROffLabour", &S::roffLabour},
    {"chkROffSubContract", &S::roffSubCon},
    {"chkReTrkRejPurch", &S::reTrkRejPurch},
    {"chkReTrkRejMfgSale", &S::reTrkRejMfgSale},
    {"chkReTrkRejLabourSale", &S::reTrkRejLabourSale},
    {"chkReTrkRejSubCon", &S::reTrkRejSubCon},
};
}  // namespace

void FrmMisc::showSettings(const Misc::Settings& s) {
    rtbHeadP_->setPlainText(s.printHead);
    rtbPrintShortAddr_->setPlainText(s.printShortAddr);
    for (const TextField& f : kTextFields) text(f.control)->setText(s.*(f.field));
    for (const CheckField& f : kCheckFields) check(f.control)->setChecked(s.*(f.field));
    optBookType_[std::clamp(s.bookType, 1, 3) - 1]->setChecked(true);
    optBookTypeINV_[std::clamp(s.bookTypeInv, 1, 2) - 1]->setChecked(true);
}

Misc::Settings FrmMisc::readSettings() const {
    Misc::Settings s;
    s.printHead = rtbHeadP_->toPlainText();
    s.printShortAddr = rtbPrintShortAddr_->toPlainText();
    for (const TextField& f : kTextFields) s.*(f.field) = text(f.control)->text();
    for (const CheckField& f : kCheckFields) s.*(f.field) = check(f.control)->isChecked();
    s.bookType = optBookType_[2]->isChecked() ? 3 : optBookType_[1]->isChecked() ? 2 : 1;
    s.bookTypeInv = optBookTypeINV_[1]->isChecked() ? 2 : 1;
    return s;
}

void FrmMisc::recolour() {
    // The chosen option of each group stands out.
    for (QRadioButton* b : {optBookType_[0], optBookType_[1], optBookType_[2], optBookTypeINV_[0], optBookTypeINV_[1]})
        b->setStyleSheet(b->isChecked() ? QStringLiteral("color: #0b5d1e; font-weight: bold;") : QString());
}

void FrmMisc::cmdModify() {
    try {
        Misc::save(prod().db(), readSettings(), prod().session());
        cmdModify_->setText(QStringLiteral("&Modify"));
        Dialogs::current().information(appTitle(), QStringLiteral("Records Modified ."));
    } catch (const DbError& e) {
        logFailure(e);
    }
}

void FrmMisc::cmdMore() {
    auto* more = new FrmMiscMore;
    if (!more->load()) {
        delete more;
        return;
    }
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (sub && sub->mdiArea())
        Screens::show(sub->mdiArea(), more);
    else
        more->show();
}

FrmMiscMore::FrmMiscMore() : Screen(QStringLiteral("frmMiscMore")) {
    setWindowTitle(QStringLiteral("More Details..."));
    const QString tip = QStringLiteral("Tick this option to strict the user for ONE DC to be converted as ONE INVOICE");
    auto* strict = group("Strictly Allow -  ONE DC to be converted as ONE INVOICE", this);
    auto* sl = new QVBoxLayout(strict);
    chkSales1to1_ = addCheck(sl, strict, "ChkSales1to1", "Manufacturing Sales");
    chkLabour1to1_ = addCheck(sl, strict, "chkLabour1to1", "Labour (Sales)");
    chkSubCon1to1_ = addCheck(sl, strict, "chkSubCon1to1", "SubContract Job");
    for (QCheckBox* c : {chkSales1to1_, chkLabour1to1_, chkSubCon1to1_}) c->setToolTip(tip);

    auto* number = numberValidator(this, 9, 2);
    auto* salary = group("Salary Related", this);
    auto* ff = new QFormLayout(salary);
    txtPF_ = addText(ff, salary, "txtPF", "PF", 8);
    txtESI_ = addText(ff, salary, "txtESI", "ESI", 8);
    auto* cash = group("Petty Cash", this);
    auto* cf = new QFormLayout(cash);
    txtOpenBal_ = new QLineEdit(cash);
    txtOpenBal_->setObjectName(QStringLiteral("txtOpenBal"));
    auto* balRow = new QHBoxLayout;
    balRow->addWidget(txtOpenBal_);
    balRow->addWidget(new QLabel(QStringLiteral("in Rs."), cash));
    cf->addRow(QStringLiteral("Opening Balance"), balRow);
    dtpOpenBal_ = new QDateEdit(cash);
    dtpOpenBal_->setObjectName(QStringLiteral("dtpOpenBal"));
    dtpOpenBal_->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    dtpOpenBal_->setCalendarPopup(true);
    dtpOpenBal_->setDate(Clock::today());
    cf->addRow(QStringLiteral("Dated"), dtpOpenBal_);
    for (QLineEdit* e : {txtPF_, txtESI_, txtOpenBal_}) e->setValidator(number);

    cmdModify_ = button(this, "cmdModify", QStringLiteral("&Modify"));
    auto* close = button(this, "cmdExit", QStringLiteral("&CLOSE"));
    auto* b = new QHBoxLayout;
    b->addStretch();
    b->addWidget(cmdModify_);
    b->addWidget(close);
    auto* v = new QVBoxLayout(this);
    v->addWidget(strict);
    v->addWidget(salary);
    v->addWidget(cash);
    v->addLayout(b);
    connect(cmdModify_, &QPushButton::clicked, this, &FrmMiscMore::cmdModify);
    connect(close, &QPushButton::clicked, this, &Screen::closeWindow);
}

bool FrmMiscMore::load() {
    if (!Screen::load()) return false;
    try {
        if (auto m = Misc::loadMore(prod().db())) {
            chkSales1to1_->setChecked(m->sales1to1);
            chkLabour1to1_->setChecked(m->labour1to1);
            chkSubCon1to1_->setChecked(m->subCon1to1);
            txtPF_->setText(text::plain(m->pf));
            txtESI_->setText(text::plain(m->esi));
            txtOpenBal_->setText(m->openBal.toString());
            if (m->dateOpenBal.isValid()) dtpOpenBal_->setDate(m->dateOpenBal);
            cmdModify_->setText(QStringLiteral("&Modify"));
        } else {
            cmdModify_->setText(QStringLiteral("&Save"));
        }
    } catch (const DbError& e) {
        logFailure(e);
    }
    return true;
}

void FrmMiscMore::cmdModify() {
    Dialogs& dlg = Dialogs::current();
    if (txtOpenBal_->text().trimmed().isEmpty()) {
        dlg.critical(appTitle(), QStringLiteral("Please Enter Opening balance..... "));
        txtOpenBal_->setFocus();
        return;
    }
    const QString verb = buttonVerb(cmdModify_);
    if (!dlg.ask(appTitle(), QStringLiteral("Are You Sure To ") + verb + QStringLiteral("?"))) return;
    Misc::More m;
    m.sales1to1 = chkSales1to1_->isChecked();
    m.labour1to1 = chkLabour1to1_->isChecked();
    m.subCon1to1 = chkSubCon1to1_->isChecked();
    m.pf = text::typed(txtPF_->text());
    m.esi = text::typed(txtESI_->text());
    m.openBal = Money::parse(txtOpenBal_->text());
    m.dateOpenBal = dtpOpenBal_->date();
    try {
        Misc::saveMore(prod().db(), m);
        dlg.information(appTitle(), verb == QLatin1String("Save") ? QStringLiteral("Records Saved...")
                                                                  : QStringLiteral("Records Modified..."));
        cmdModify_->setText(QStringLiteral("&Modify"));
    } catch (const DbError& e) {
        logFailure(e);
    }
}

void registerMiscScreens() {
    Screens::add(QStringLiteral("frmMisc"), [] { return new FrmMisc; });
}

}  // namespace kavra

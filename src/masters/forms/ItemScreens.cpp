#include "masters/forms/ItemScreens.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSqlQuery>
#include <QTextEdit>
#include <QVBoxLayout>

#include "core/Sql.h"
#include "core/Text.h"
#include "core/chain/Rows.h"
#include "ui/Grid.h"
#include "ui/Widgets.h"

namespace kavra {

namespace {

QComboBox* combo(QWidget* parent, const char* name, bool editable = false) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(editable);
    return c;
}

QString question(bool adding) {
    return QStringLiteral("Are You Sure To ") + (adding ? QStringLiteral("Save") : QStringLiteral("Modify")) +
           QStringLiteral("?");
}

}  // namespace

// ---------------------------------------------------------------- shared

MasterScreen::MasterScreen(const QString& name, const QString& caption) : Screen(name) {
    setWindowTitle(caption);
}

void MasterScreen::finishLayout(QLayout* fields, const QString& listCaption, RecordTexts texts) {
    lstNames_ = new QListWidget(this);
    lstNames_->setObjectName(QStringLiteral("lstNames"));
    QString listName = listCaption.trimmed();
    while (listName.endsWith(QLatin1Char(':'))) listName.chop(1);
    offerExport(lstNames_, listName.trimmed());
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(listCaption, this));
    right->addWidget(lstNames_);
    auto* box = new QGroupBox(this);
    box->setLayout(fields);
    auto* top = new QHBoxLayout;
    top->addWidget(box, 3);
    top->addLayout(right, 2);
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(makeStatusLabel(this), 1);
    statusRow->addWidget(makeLinkLabel(this, "lblCorres"));
    auto* v = new QVBoxLayout(this);
    v->addLayout(top);
    v->addLayout(statusRow);
    v->addLayout(makeCommandRow(this));

    texts.fieldsLockedInBrowse = false;
    ctl_ = new RecordController(this, this, std::move(texts));
    for (QLineEdit* e : findChildren<QLineEdit*>()) {
        if (e->isReadOnly())
            e->setFocusPolicy(Qt::NoFocus);  // identifiers are shown, never typed
        else
            connect(e, &QLineEdit::textEdited, ctl_, &RecordController::fieldEdited);
    }
    for (QComboBox* c : findChildren<QComboBox*>())
        connect(c, &QComboBox::activated, ctl_, &RecordController::fieldEdited);
    for (QTextEdit* t : findChildren<QTextEdit*>()) {
        connect(t, &QTextEdit::textChanged, ctl_, [this, t] {
            if (t->hasFocus()) ctl_->fieldEdited();
        });
    }
}

bool MasterScreen::load() {
    return ctl_->open([this] { refreshLists(); });
}

void MasterScreen::fillNames(const QString& sql) {
    lstNames_->clear();
    QSqlQuery q = Sql::exec(prod().db(), sql);
    while (q.next()) lstNames_->addItem(q.value(0).toString());
}

// ---------------------------------------------------------------- items

FrmItem::FrmItem() : MasterScreen(QStringLiteral("frmItem"), paddedCaption(QStringLiteral("MASTER - Inventory"))) {
    txtItemId_ = makeLineEdit(this, "txtItemId", 10);
    txtItemId_->setReadOnly(true);
    txtItemCode_ = makeLineEdit(this, "txtItemCode", 100);
    txtItemName_ = makeLineEdit(this, "txtItemName", 100);
    lstCategoryCode_ = combo(this, "lstCategoryCode");
    lstCategoryCode_->setPlaceholderText(QStringLiteral("(Select a Category)"));
    cmbMeasurement_ = combo(this, "cmbMeasurement");
    cmbAltUnit_ = combo(this, "cmbAltUnit");
    cmbAltUnit_->setToolTip(
        QStringLiteral("Used in Purchase Order(Purchase) and Labour Invoices and SubContract Invoices"));
    txtROL_ = makeLineEdit(this, "txtROL", 12);
    txtROL_->setValidator(numberValidator(txtROL_, 9, 3));
    txtRackNo_ = makeLineEdit(this, "txtRackNo", 20);
    cmbTariffSubHead_ = combo(this, "cmbTariffSubHead", true);
    cmbTariffSubHead_->lineEdit()->setMaxLength(30);
    txtRate_ = makeLineEdit(this, "txtRate", 12);
    txtRate_->setToolTip(QStringLiteral("Optional Field"));
    txtRate_->setValidator(numberValidator(txtRate_, 9, 3));
    auto* addUnits = makeButton(this, "cmdMeasureAdd", QStringLiteral("Add New &Units"));
    // Reached with Alt+U or a click: Enter through the fields goes on past it, not into the unit screen.
    addUnits->setFocusPolicy(Qt::ClickFocus);

    auto* f = new QFormLayout;
    f->addRow(QStringLiteral("Item Id"), txtItemId_);
    f->addRow(QStringLiteral("Item Code / Part No. / Drg. No."), txtItemCode_);
    f->addRow(QStringLiteral("Item Name / Description"), txtItemName_);
    f->addRow(QStringLiteral("Category Code"), lstCategoryCode_);
    auto* units = new QHBoxLayout;
    units->addWidget(cmbMeasurement_, 1);
    units->addWidget(addUnits);
    f->addRow(QStringLiteral("Measurement Unit"), units);
    f->addRow(QStringLiteral("Alternate Unit"), cmbAltUnit_);
    f->addRow(QStringLiteral("* Re-Order Level"), txtROL_);
    f->addRow(QStringLiteral("* Rack Number"), txtRackNo_);
    f->addRow(QStringLiteral("* Tariff Sub-Heading   (for Excise Invoice)"), cmbTariffSubHead_);
    f->addRow(QStringLiteral("* Rate"), txtRate_);

    RecordTexts t;
    t.adding = QStringLiteral("You are about to ADD a NEW Item Now...");
    t.showing = QStringLiteral("You are about to MODIFY the existing Item Now...");
    t.modifying = t.showing;
    t.deleting = QStringLiteral("You are about to DELETE the existing Item now...");
    t.afterWrite = QStringLiteral("You are about to MODIFY the existing Item now...");
    t.saved = QStringLiteral("Records Saved!");
    t.modified = QStringLiteral("Records Modified!");
    t.deleted = QStringLiteral("Records Deleted .");
    t.deleteGoesFirst = false;
    finishLayout(f, QStringLiteral("List of Available Items :"), t);
    attachTypeAhead(txtItemCode_, lstNames_);
    resize(820, 440);

    // A name is required; leaving the box empty puts a point there.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget*) {
        if (old == txtItemName_ && txtItemName_->text().trimmed().isEmpty()) txtItemName_->setText(QStringLiteral("."));
    });
    connect(lstNames_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* it) {
        if (auto id = Items::idOfCode(prod().db(), it->text())) ctl_->showId(*id);
    });
    connect(addUnits, &QPushButton::clicked, this, [this] {
        if (!Screens::open(QStringLiteral("frmMeasure"))) return;
        auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
        QMdiSubWindow* units =
            sub && sub->mdiArea() ? Screens::find(sub->mdiArea(), QStringLiteral("frmMeasure")) : nullptr;
        if (units) connect(units, &QObject::destroyed, this, &FrmItem::fillUnits);
    });
}

bool FrmItem::load() {
    if (!Screen::load()) return false;
    try {
        QSqlQuery q = Sql::exec(prod().db(), QStringLiteral("select CategoryCode, CategoryName from Category order by "
                                                            "CategoryName"));
        while (q.next()) lstCategoryCode_->addItem(q.value(1).toString(), q.value(0));
        fillUnits();
        refreshLists();
    } catch (const DbError& e) {
        logFailure(e);
    }
    ctl_->start();
    return true;
}

void FrmItem::fillUnits() {
    try {
        const QStringList units = Units::codes(prod().db());
        for (QComboBox* c : {cmbMeasurement_, cmbAltUnit_}) {
            const QString keep = c->currentText();
            c->clear();
            c->addItems(units);
            c->setCurrentIndex(c->findText(keep));
        }
    } catch (const DbError& e) {
        logFailure(e);
    }
}

void FrmItem::refreshLists() {
    fillNames(QStringLiteral("select ItemCode from Item order by ItemCode"));
    const QString keep = cmbTariffSubHead_->currentText();
    cmbTariffSubHead_->clear();
    cmbTariffSubHead_->addItems(Items::tariffSubHeads(prod().db()));
    cmbTariffSubHead_->setEditText(keep);
}

QList<qint64> FrmItem::navigation() {
    return Items::ids(prod().db());
}
qint64 FrmItem::proposeId() {
    return Items::proposedId(prod().db());
}

void FrmItem::showRecord(qint64 id) {
    const auto it = Items::load(prod().db(), id);
    if (!it) return;
    txtItemId_->setText(QString::number(it->id));
    txtItemCode_->setText(it->code);
    txtItemName_->setText(it->name);
    lstCategoryCode_->setCurrentIndex(lstCategoryCode_->findData(it->categoryCode));
    cmbMeasurement_->setCurrentIndex(cmbMeasurement_->findText(it->unit, Qt::MatchFixedString));
    cmbAltUnit_->setCurrentIndex(cmbAltUnit_->findText(it->altUnit, Qt::MatchFixedString));
    txtROL_->setText(text::plain(it->rol));
    txtRackNo_->setText(it->rackNo);
    cmbTariffSubHead_->setEditText(it->tariffSubHead);
    txtRate_->setText(it->rate == 0 ? QStringLiteral("0.00") : chain::Rows::rateText(it->rate));
}

void FrmItem::clearForNew(qint64 id) {
    txtItemId_->setText(QString::number(id));
    for (QLineEdit* e : {txtItemCode_, txtItemName_, txtROL_, txtRackNo_, txtRate_}) e->clear();
    for (QComboBox* c : {lstCategoryCode_, cmbMeasurement_, cmbAltUnit_}) c->setCurrentIndex(-1);
    cmbTariffSubHead_->setEditText(QString());
    txtItemCode_->setFocus();
}

Items::Item FrmItem::read() const {
    Items::Item it;
    it.id = txtItemId_->text().toLongLong();
    it.code = txtItemCode_->text();
    it.name = txtItemName_->text();
    it.categoryCode = lstCategoryCode_->currentIndex() >= 0 ? lstCategoryCode_->currentData().toLongLong() : 0;
    it.unit = cmbMeasurement_->currentText();
    it.altUnit = cmbAltUnit_->currentText();
    it.rol = text::typed(txtROL_->text());
    it.rackNo = txtRackNo_->text();
    it.tariffSubHead = cmbTariffSubHead_->currentText();
    it.rate = text::typed(txtRate_->text());
    return it;
}

Check FrmItem::validate(bool) {
    return (Items::validate(prod().db(), read()));
}
qint64 FrmItem::write(bool adding, qint64 id) {
    Items::Item it = read();
    it.id = id;
    return Items::save(prod().db(), it, adding);
}
QString FrmItem::confirmText(bool adding) {
    return question(adding);
}

Check FrmItem::deleteBlock() {
    return (Items::deleteBlock(prod().db(), ctl_->currentId()));
}

void FrmItem::remove(qint64 id) {
    Items::remove(prod().db(), id);
}

// ---------------------------------------------------------------- categories

FrmCategory::FrmCategory()
    : MasterScreen(QStringLiteral("frmCategory"), paddedCaption(QStringLiteral("MASTER - Inventory"))) {
    txtCategoryCode_ = makeLineEdit(this, "txtCategoryCode", 10);
    txtCategoryCode_->setReadOnly(true);
    txtCategoryName_ = makeLineEdit(this, "txtCategoryName", 50);
    txtCategoryDesc_ = new QTextEdit(this);
    txtCategoryDesc_->setObjectName(QStringLiteral("txtCategoryDesc"));
    txtCategoryDesc_->setAcceptRichText(false);
    txtCategoryDesc_->setTabChangesFocus(true);
    auto* f = new QFormLayout;
    f->addRow(QStringLiteral("Category Code"), txtCategoryCode_);
    f->addRow(QStringLiteral("Category Name"), txtCategoryName_);
    auto* descLabel =
        new QLabel(QStringLiteral("* Category Description        (Type  some sample items under this Category)"), this);
    descLabel->setWordWrap(true);
    f->addRow(descLabel);
    f->addRow(txtCategoryDesc_);

    RecordTexts t;
    t.adding = QStringLiteral("You are about to ADD a NEW Category Now...");
    t.showing = QStringLiteral("You are about to MODIFY the existing Category Now...");
    t.modifying = t.showing;
    t.deleting = QStringLiteral("You are about to DELETE the existing Category now...");
    t.afterWrite = QStringLiteral("You are about to MODIFY the existing Category now...");
    t.saved = QStringLiteral("Records Saved!");
    t.modified = QStringLiteral("Records Modified!");
    t.deleted = QStringLiteral("Records Deleted .");
    t.deleteGoesFirst = false;
    finishLayout(f, QStringLiteral("List of Available Categories:"), t);
    attachTypeAhead(txtCategoryName_, lstNames_);
    resize(720, 380);
    connect(lstNames_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* it) {
        if (auto code = Categories::codeOfName(prod().db(), it->text())) ctl_->showId(*code);
    });
}

void FrmCategory::refreshLists() {
    fillNames(QStringLiteral("select CategoryName from Category order by CategoryName"));
}
QList<qint64> FrmCategory::navigation() {
    return Categories::ids(prod().db());
}
qint64 FrmCategory::proposeId() {
    return Categories::proposedId(prod().db());
}

void FrmCategory::showRecord(qint64 id) {
    const auto c = Categories::load(prod().db(), id);
    if (!c) return;
    txtCategoryCode_->setText(QString::number(c->code));
    txtCategoryName_->setText(c->name);
    txtCategoryDesc_->setPlainText(c->desc);
}

void FrmCategory::clearForNew(qint64 id) {
    txtCategoryCode_->setText(QString::number(id));
    txtCategoryName_->clear();
    txtCategoryDesc_->clear();
    txtCategoryName_->setFocus();
}

Check FrmCategory::validate(bool adding) {
    return (Categories::validate(
        prod().db(), {txtCategoryCode_->text().toLongLong(), txtCategoryName_->text(), txtCategoryDesc_->toPlainText()},
        adding));
}

qint64 FrmCategory::write(bool adding, qint64) {
    return Categories::save(
        prod().db(), {txtCategoryCode_->text().toLongLong(), txtCategoryName_->text(), txtCategoryDesc_->toPlainText()},
        adding);
}

QString FrmCategory::confirmText(bool adding) {
    return question(adding);
}

Check FrmCategory::deleteBlock() {
    return (Categories::deleteBlock(prod().db(), ctl_->currentId()));
}

void FrmCategory::remove(qint64 id) {
    Categories::remove(prod().db(), id);
}

// ---------------------------------------------------------------- units

FrmMeasure::FrmMeasure() : MasterScreen(QStringLiteral("frmMeasure"), QStringLiteral("Measurement")) {
    txtMeasureCode_ = makeLineEdit(this, "txtMeasureCode", 5);
    txtMeasureName_ = makeLineEdit(this, "txtMeasureName", 50);
    auto* f = new QFormLayout;
    f->addRow(QStringLiteral("Measure Code"), txtMeasureCode_);
    f->addRow(QStringLiteral("Measure Name"), txtMeasureName_);
    RecordTexts t;
    t.adding = QStringLiteral("You are about to ADD a NEW Unit of Measurement Now...");
    t.showing = QStringLiteral("You are about to MODIFY the existing Unit of Measure Now...");
    t.modifying = t.showing;
    t.deleting = QStringLiteral("You are about to DELETE the existing Unit of Measure now...");
    t.afterWrite = QStringLiteral("You are about to MODIFY the existing Unit of Measure now...");
    t.saved = QStringLiteral("Records Added.");
    t.modified = QStringLiteral("Records Modified...");
    t.deleted = QStringLiteral("Records Deleted .");
    t.deleteGoesFirst = false;
    finishLayout(f, QStringLiteral("List of Available Units:"), t);
    attachTypeAhead(txtMeasureCode_, lstNames_);
    resize(600, 320);
    connect(lstNames_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* it) { ctl_->showId(idOf(it->text())); });
}

void FrmMeasure::refreshLists() {
    fillNames(QStringLiteral("select MeasureCode from Measurement order by MeasureCode"));
}

// Units have no identifier of their own: each code seen gets one for as long as the screen is open.
qint64 FrmMeasure::idOf(const QString& code) {
    const QString key = code.trimmed().toUpper();
    if (!ids_.contains(key)) {
        ids_.insert(key, ids_.size() + 1);
        codes_.insert(ids_.size(), code.trimmed());
    }
    return ids_.value(key);
}

QList<qint64> FrmMeasure::navigation() {
    QList<qint64> ids;
    for (const QString& c : Units::codes(prod().db())) ids << idOf(c);
    return ids;
}

QVariantList FrmMeasure::navigationKey(qint64 id) {
    return {codes_.value(id).toUpper()};
}

qint64 FrmMeasure::proposeId() {
    return 0;
}

void FrmMeasure::showRecord(qint64 id) {
    if (!codes_.contains(id)) return;
    shownCode_ = codes_.value(id);
    txtMeasureCode_->setText(shownCode_);
    txtMeasureName_->setText(Units::nameOf(prod().db(), shownCode_));
}

void FrmMeasure::clearForNew(qint64) {
    shownCode_.clear();
    txtMeasureCode_->clear();
    txtMeasureName_->clear();
    txtMeasureCode_->setFocus();
}

Check FrmMeasure::validate(bool adding) {
    return adding ? Units::validateNew(prod().db(), txtMeasureCode_->text(), txtMeasureName_->text())
                  : Units::validateModify(prod().db(), shownCode_, txtMeasureCode_->text(), txtMeasureName_->text());
}

qint64 FrmMeasure::write(bool adding, qint64 id) {
    const QString code = txtMeasureCode_->text().trimmed();
    if (adding) {
        Units::add(prod().db(), txtMeasureCode_->text(), txtMeasureName_->text());
        return idOf(code);
    }
    Units::modify(prod().db(), shownCode_, txtMeasureCode_->text(), txtMeasureName_->text());
    // The shown unit keeps its place under its new code.
    ids_.remove(shownCode_.toUpper());
    ids_.insert(code.toUpper(), id);
    codes_.insert(id, code);
    return id;
}

QString FrmMeasure::confirmText(bool adding) {
    return adding ? QStringLiteral("Are You Sure To Save") : QStringLiteral("Are You Sure To Modify?");
}

Check FrmMeasure::deleteBlock() {
    return (Units::deleteBlock(prod().db(), shownCode_));
}

void FrmMeasure::remove(qint64) {
    Units::remove(prod().db(), shownCode_);
}

void registerItemScreens() {
    Screens::add(QStringLiteral("frmItem"), [] { return new FrmItem; });
    Screens::add(QStringLiteral("frmCategory"), [] { return new FrmCategory; });
    Screens::add(QStringLiteral("frmMeasure"), [] { return new FrmMeasure; });
}

}  // namespace kavra

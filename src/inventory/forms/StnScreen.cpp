#include "inventory/forms/StnScreen.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "core/Session.h"
#include "inventory/Stores.h"
#include "inventory/TransferNotes.h"
#include "ui/LineGrid.h"
#include "ui/Widgets.h"

namespace kavra {

namespace Notes = inventory::TransferNotes;

namespace {

const QString kHeading =
    QStringLiteral(" Sl.No |   Item Code / Part No./ Drg. No.         |  Item/Component Name          |  Qty        ");
constexpr int kCode = 1, kName = 2, kQty = 3;

}  // namespace

FrmSTN::FrmSTN() : DocumentScreen(QStringLiteral("frmSTN"), QStringLiteral("Inventory - STN")) {
    QLabel* heading =
        makeHeading(this, QStringLiteral("Store Transfer Note"), QStringLiteral("font-size: 15pt; font-weight: bold;"));
    heading->setAlignment(Qt::AlignCenter);

    auto* header_ = new QGroupBox(this);
    header_->setObjectName(QStringLiteral("fraHeader"));
    headerBox_ = header_;
    txtId_ = makeLineEdit(header_, "txtId", 12);
    showOnly(txtId_);
    txtSTNno_ = makeLineEdit(header_, "txtSTNno", 9);
    txtSTNno_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), txtSTNno_));
    dtpSTNDate_ = new QDateEdit(header_);
    dtpSTNDate_->setObjectName(QStringLiteral("dtpSTNDate"));
    dtpSTNDate_->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    dtpSTNDate_->setCalendarPopup(true);
    txtPrepared_ = makeLineEdit(header_, "txtPrepared", 50);
    txtRemAny_ = makeLineEdit(header_, "txtRemAny", 100);
    auto* left = new QFormLayout;
    left->addRow(QStringLiteral("STN Id"), txtId_);
    left->addRow(QStringLiteral("STN  NO."), txtSTNno_);
    left->addRow(QStringLiteral("Date"), dtpSTNDate_);
    auto* right = new QFormLayout;
    right->addRow(QStringLiteral("Prepared By"), txtPrepared_);
    right->addRow(QStringLiteral("Remarks"), txtRemAny_);
    auto* headerRow = new QHBoxLayout(header_);
    headerRow->addLayout(left, 1);
    headerRow->addLayout(right, 2);

    makeGrid(kHeading, 3);
    grid_->setItemColumns(kCode, kName, -1);
    grid_->setNumericColumns({kQty});
    lstItemName_ = new QListWidget(this);
    lstItemName_->setObjectName(QStringLiteral("lstItemName"));
    lstItemName_->setToolTip(QStringLiteral("Double-click a name to put it on the current line"));
    auto* names = new QVBoxLayout;
    names->addWidget(new QLabel(QStringLiteral("Item/Component Names"), this));
    names->addWidget(lstItemName_);
    auto* body = new QHBoxLayout;
    body->addWidget(grid_, 3);
    body->addLayout(names, 1);

    auto* lblGO = new QLabel(QStringLiteral("Search STN No."), this);
    lblGO->setObjectName(QStringLiteral("lblGO"));
    auto* txtGO = makeLineEdit(this, "txtGO", 12);
    txtGO->setToolTip(QStringLiteral("Type the STN No. here, then press 'Enter' key to search"));
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(makeStatusLabel(this), 1);
    statusRow->addWidget(makeLinkLabel(this, "lblCorres"));
    statusRow->addSpacing(20);
    statusRow->addWidget(lblGO);
    statusRow->addWidget(txtGO);

    auto* v = new QVBoxLayout(this);
    v->addWidget(heading);
    v->addWidget(header_);
    v->addLayout(body, 1);
    v->addLayout(statusRow);
    v->addLayout(makeCommandRow(this));

    RecordTexts t;
    t.adding = QStringLiteral("You are about to ADD a NEW STN Now...");
    t.modifying = QStringLiteral("You are about to MODIFY the existing STN Now...");
    t.deleting = QStringLiteral("You are about to DELETE the existing STN now...");
    t.emptyTable = QStringLiteral("No records to Display");
    t.saveQuestion = QStringLiteral("Are You Sure To Save?");
    t.modifyQuestion = QStringLiteral("Are You Sure To Modify?");
    t.deleteQuestion = QStringLiteral("Are You Sure To Delete");
    t.saved = QStringLiteral("Record Saved");
    t.modified = QStringLiteral("Record Modified.");
    t.deleted = QStringLiteral("Record Deleted Successfully.");
    makeController(t);
    connect(grid_, &LineGrid::headingClicked, this, [this](int col) {
        if (ctl_->state() == RecState::Browse) {
            grid_->modifyRequested(std::max(1, grid_->lineCount()), std::max(kCode, std::min(col, kQty)));
            return;
        }
        grid_->beginEdit(std::max(1, grid_->lineCount()), std::max(kCode, std::min(col, kQty)));
    });
    // A name typed without its code brings the code, as picking from the list does.
    connect(grid_, &LineGrid::cellCommitted, this, [this](int row, int col) {
        if (col != kName || !grid_->text(row, kCode).trimmed().isEmpty()) return;
        try {
            const QString code = Notes::codeOfName(prod().db(), grid_->text(row, kName));
            if (!code.isEmpty()) grid_->setText(row, kCode, code);
        } catch (const DbError& e) {
            logFailure(e);
        }
    });
    connect(lstItemName_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* it) { pickName(it->text()); });
    resize(900, 560);
}

bool FrmSTN::load() {
    return ctl_->open([this] { refreshLists(); });
}

void FrmSTN::refreshLists() {
    lstItemName_->clear();
    lstItemName_->addItems(Notes::itemNames(prod().db()));
    grid_->refreshItemCodes();
}

bool FrmSTN::mayModify() {
    const Check r = Notes::gridBlock(prod().db(), ctl_->currentId());
    if (r) Dialogs::current().message(appTitle(), r->text, r->icon);
    return !r;
}

void FrmSTN::pickName(const QString& name) {
    if (ctl_->state() == RecState::Browse) return;
    if (!grid_->isEditing()) grid_->beginEdit(std::max(1, grid_->lineCount()), kName);
    const int row = grid_->editRow();
    try {
        grid_->setText(row, kCode, Notes::codeOfName(prod().db(), name));
        grid_->setText(row, kName, name);
    } catch (const DbError& e) {
        logFailure(e);
        return;
    }
    grid_->beginEdit(row, kQty);
}

QList<qint64> FrmSTN::navigation() {
    return Notes::ids(prod().db());
}

qint64 FrmSTN::proposeId() {
    // Taken for good now: a note abandoned before saving leaves its number unused.
    return inventory::Stores::takeNoteNumber(prod().db(), 1);
}

void FrmSTN::showRecord(qint64 id) {
    const auto n = Notes::load(prod().db(), id);
    if (!n) return;
    txtId_->setText(QString::number(n->id));
    txtSTNno_->setText(n->number);
    dtpSTNDate_->setDate(n->date.isValid() ? n->date : Clock::today());
    txtPrepared_->setText(n->preparedBy);
    txtRemAny_->setText(n->remarks);
    grid_->clearLines();
    for (const Notes::Line& l : n->lines) grid_->addLine({l.code, l.name, l.qty});
    grid_->setStoredLineCount(grid_->lineCount());
}

void FrmSTN::clearForNew(qint64 id) {
    txtId_->setText(QString::number(id));
    txtSTNno_->setText(QString::number(id));
    dtpSTNDate_->setDate(Clock::today());
    txtPrepared_->clear();
    txtRemAny_->clear();
    grid_->clearLines();
    txtSTNno_->setFocus();
}

void FrmSTN::setFieldsEnabled(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{txtSTNno_, dtpSTNDate_, txtPrepared_, txtRemAny_, lstItemName_})
        w->setEnabled(on);
}

Notes::Note FrmSTN::read() const {
    Notes::Note n;
    n.id = txtId_->text().toLongLong();
    n.number = txtSTNno_->text();
    n.date = dtpSTNDate_->date();
    n.preparedBy = txtPrepared_->text();
    n.remarks = txtRemAny_->text();
    for (int r = 1; r <= grid_->lineCount(); ++r) {
        const Notes::Line l{grid_->text(r, kCode), grid_->text(r, kName), grid_->text(r, kQty)};
        // The empty line the keyboard leaves at the end is no line.
        if (l.code.trimmed().isEmpty() && l.name.trimmed().isEmpty() && l.qty.trimmed().isEmpty()) continue;
        n.lines.append(l);
    }
    return n;
}

Check FrmSTN::validate(bool adding) {
    return Notes::validate(prod().db(), read(), adding);
}

qint64 FrmSTN::write(bool adding, qint64 id) {
    Notes::Note n = read();
    n.id = id;
    return Notes::save(prod().db(), n, adding);
}

Check FrmSTN::modifyBlock() {
    return Notes::modifyBlock(prod().db(), ctl_->currentId());
}

Check FrmSTN::deleteBlock() {
    return Notes::deleteBlock(prod().db(), ctl_->currentId());
}

void FrmSTN::remove(qint64 id) {
    Notes::remove(prod().db(), id);
}

Found FrmSTN::find(const QString& text) {
    return Notes::findByNumber(prod().db(), text);
}

}  // namespace kavra

#include "inventory/forms/StockIssueScreen.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSqlQuery>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/Refusal.h"
#include "core/Session.h"
#include "core/Sql.h"
#include "core/Text.h"
#include "inventory/Stores.h"
#include "masters/Items.h"
#include "printing/DocumentPrint.h"
#include "ui/Grid.h"
#include "ui/Widgets.h"

namespace kavra {

namespace Stores = inventory::Stores;

namespace {

const QString kStockHeading =
    QStringLiteral(" Sl.No  |           Item Code / Part No.               |   Qty            ");
const QString kDayHeading = QStringLiteral(
    " Sl.No  |      Category      | Item Code / Part No.                                                  |   Qty "
    "Issued     |Issued to Whom                     | Description  | ID from StoreIss");
constexpr int kIdCol = 6;

QString qtyText(double q) {
    return QString::number(q, 'f', 2);
}

void setNumber(QTableWidget* g, int row, int col, const QString& text) {
    setCell(g, row, col, text);
    g->item(row, col)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

}  // namespace

FrmStockIssue::FrmStockIssue() : Screen(QStringLiteral("frmStockIssue")) {
    setWindowTitle(paddedCaption(QStringLiteral("INVENTORY - Material Issue")));

    QLabel* heading =
        makeHeading(this, QStringLiteral("Material Issue Note"), QStringLiteral("font-size: 15pt; font-weight: bold;"));
    heading->setAlignment(Qt::AlignCenter);

    dtpStkIssue_ = new QDateEdit(this);
    dtpStkIssue_->setObjectName(QStringLiteral("dtpStkIssue"));
    dtpStkIssue_->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    dtpStkIssue_->setCalendarPopup(true);
    auto* dayRow = new QHBoxLayout;
    auto* lblDate = new QLabel(QStringLiteral("Materials Issued On "), this);
    lblDate->setObjectName(QStringLiteral("lblDate"));
    dayRow->addWidget(lblDate);
    dayRow->addWidget(dtpStkIssue_);
    dayRow->addStretch();

    auto* box = new QGroupBox(this);
    cmbcatgry_ = new QComboBox(box);
    cmbcatgry_->setObjectName(QStringLiteral("cmbcatgry"));
    cmbItem_ = new QComboBox(box);
    cmbItem_->setObjectName(QStringLiteral("cmbItem"));
    txtIssQty_ = makeLineEdit(box, "txtIssQty", 12);
    txtIssQty_->setValidator(numberValidator(txtIssQty_, 9, 6));
    lblUnit_ = new QLabel(box);
    lblUnit_->setObjectName(QStringLiteral("lblUnit"));
    txtToWhom_ = makeLineEdit(box, "txtToWhom", 50);
    txtDesc_ = makeLineEdit(box, "txtDesc", 100);
    auto* qtyRow = new QHBoxLayout;
    qtyRow->addWidget(txtIssQty_, 1);
    qtyRow->addWidget(lblUnit_);
    auto* form = new QFormLayout(box);
    form->addRow(QStringLiteral("CATEGORY"), cmbcatgry_);
    form->addRow(QStringLiteral("ITEM CODE / PART NO"), cmbItem_);
    form->addRow(QStringLiteral("ISSUE QTY."), qtyRow);
    form->addRow(QStringLiteral("* ISSUED TO WHOM"), txtToWhom_);
    form->addRow(QStringLiteral("* Description"), txtDesc_);

    msflex_ = makeListGrid(QStringLiteral("msflex"), kStockHeading, this);
    msflex_->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* stock = new QVBoxLayout;
    stock->addWidget(new QLabel(QStringLiteral("Stock Position"), this));
    stock->addWidget(msflex_);
    auto* top = new QHBoxLayout;
    top->addWidget(box, 1);
    top->addLayout(stock, 1);

    msflexdata_ = makeListGrid(QStringLiteral("msflexdata"), kDayHeading, this);
    msflexdata_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // The day's list fits the screen: a narrower code column, the description takes the rest.
    msflexdata_->setColumnWidth(2, 220);
    msflexdata_->horizontalHeader()->setSectionResizeMode(5, QHeaderView::Stretch);

    auto* buttons = new QHBoxLayout;
    QPushButton* save = makeButton(this, "cmdSave", QStringLiteral("&Save"));
    QPushButton* del = makeButton(this, "cmdDelete", QStringLiteral("&Delete"));
    QPushButton* print = makeButton(this, "cmdPrint", QStringLiteral("&Print"));
    QPushButton* exit = makeButton(this, "cmdExit", QStringLiteral("&CLOSE"));
    for (QPushButton* b : {save, del, print}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(exit);

    auto* v = new QVBoxLayout(this);
    v->addWidget(heading);
    v->addLayout(dayRow);
    v->addLayout(top, 1);
    v->addWidget(msflexdata_, 1);
    v->addLayout(buttons);

    connect(save, &QPushButton::clicked, this, &FrmStockIssue::cmdSave);
    connect(del, &QPushButton::clicked, this, &FrmStockIssue::cmdDelete);
    connect(print, &QPushButton::clicked, this, &FrmStockIssue::cmdPrint);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    connect(cmbcatgry_, &QComboBox::currentIndexChanged, this, &FrmStockIssue::categoryChosen);
    connect(cmbItem_, &QComboBox::currentIndexChanged, this, &FrmStockIssue::itemChosen);
    connect(dtpStkIssue_, &QDateEdit::dateChanged, this, [this] { tryDb([this] { fillDay(); }); });
    resize(980, 640);
}

bool FrmStockIssue::load() {
    if (!Screen::load()) return false;
    dtpStkIssue_->setDate(Clock::today());
    tryDb([this] {
        fillCategories();
        fillDay();
    });
    return true;
}

void FrmStockIssue::fillCategories() {
    const QSignalBlocker quiet(cmbcatgry_);
    cmbcatgry_->clear();
    cmbcatgry_->addItem(QStringLiteral("ALL"), 0);
    QSqlQuery q =
        Sql::exec(prod().db(), QStringLiteral("select CategoryCode, CategoryName from Category order by CategoryName"));
    while (q.next()) cmbcatgry_->addItem(q.value(1).toString(), q.value(0));
    cmbcatgry_->setCurrentIndex(-1);
}

void FrmStockIssue::categoryChosen() {
    tryDb([this] {
        const QSignalBlocker quiet(cmbItem_);
        cmbItem_->clear();
        lblUnit_->clear();
        if (cmbcatgry_->currentIndex() >= 0) {
            for (const Stores::StockRow& r :
                 Stores::stockOfCategory(prod().db(), cmbcatgry_->currentData().toLongLong()))
                cmbItem_->addItem(r.itemCode, r.itemId);
        }
        cmbItem_->setCurrentIndex(-1);
        fillStock();
    });
}

void FrmStockIssue::itemChosen() {
    tryDb([this] {
        const auto item = cmbItem_->currentIndex() >= 0 ? Items::load(prod().db(), cmbItem_->currentData().toLongLong())
                                                        : std::nullopt;
        lblUnit_->setText(item ? item->unit : QString());
    });
}

void FrmStockIssue::fillStock() {
    msflex_->setRowCount(0);
    if (cmbcatgry_->currentIndex() < 0) return;
    const auto rows = Stores::stockOfCategory(prod().db(), cmbcatgry_->currentData().toLongLong());
    msflex_->setRowCount(int(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        setNumber(msflex_, i, 0, QString::number(i + 1));
        setCell(msflex_, i, 1, rows[i].itemCode);
        setNumber(msflex_, i, 2, qtyText(rows[i].stock));
    }
}

void FrmStockIssue::fillDay() {
    const auto rows = Stores::manualIssuesOn(prod().db(), dtpStkIssue_->date());
    msflexdata_->clearSelection();
    msflexdata_->setRowCount(int(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        const Stores::IssueRow& r = rows[i];
        setNumber(msflexdata_, i, 0, QString::number(i + 1));
        setCell(msflexdata_, i, 1, r.category);
        setCell(msflexdata_, i, 2, r.itemCode);
        setNumber(msflexdata_, i, 3, qtyText(r.qty));
        setCell(msflexdata_, i, 4, r.toWhom.trimmed());
        setCell(msflexdata_, i, 5, r.remarks.trimmed());
        setNumber(msflexdata_, i, kIdCol, QString::number(r.issueId));
    }
}

void FrmStockIssue::cmdSave() {
    Dialogs& dlg = Dialogs::current();
    auto refuse = [&](const QString& text, QWidget* focus) {
        dlg.critical(appTitle(), text);
        focus->setFocus();
    };
    if (cmbcatgry_->currentIndex() < 0) return refuse(QStringLiteral("Please select a Category....."), cmbcatgry_);
    if (cmbItem_->currentIndex() < 0) return refuse(QStringLiteral("Please select an Item....."), cmbItem_);
    const qint64 itemId = cmbItem_->currentData().toLongLong();
    const qint64 category = cmbcatgry_->currentData().toLongLong();  // 0 for ALL: the item's own
    const double qty = Stores::roundQty(text::typed(txtIssQty_->text()));
    double stock = 0;
    if (!tryDb([&] { stock = Stores::stockOf(prod().db(), itemId); })) return;
    if (qty <= 0 || qty > Stores::roundQty(stock)) return refuse(Stores::shortStockMessage(), txtIssQty_);
    if (!dlg.question(appTitle(),
                      QStringLiteral("Are You sure to save ?") + QLatin1Char('\n') +
                          QStringLiteral("MAKE SURE YOUR STOCK REDUCTION IS EXACT."),
                      false))
        return;
    try {
        Sql::transaction(prod().db(), [&] {
            Stores::raiseIssue(prod().db(), inventory::IssueSource::Manual, dtpStkIssue_->date(),
                               QLatin1Char(' ') + txtToWhom_->text().trimmed(),
                               QLatin1Char(' ') + txtDesc_->text().trimmed(), {{itemId, category, qty}});
        });
    } catch (const Refused& r) {
        // Another workstation took the stock between the check above and the write.
        return refuse(r.text(), txtIssQty_);
    } catch (const DbError& e) {
        logFailure(e);
        return;
    }
    dlg.information(appTitle(), QStringLiteral(" Stock Altered successfully !!!"));
    txtIssQty_->clear();
    tryDb([&] {
        fillStock();
        fillDay();
        const auto item = Items::load(prod().db(), itemId);
        if (item && item->rol > 0 && Stores::stockOf(prod().db(), itemId) < item->rol)
            dlg.exclamation(appTitle(), QStringLiteral(" Re-order Level is reached for this item - ") + item->code +
                                            QLatin1Char('\n') + QStringLiteral("Minimum Quantity is ") +
                                            text::plain(item->rol));
    });
}

void FrmStockIssue::cmdDelete() {
    Dialogs& dlg = Dialogs::current();
    const QModelIndexList rows = msflexdata_->selectionModel()->selectedRows();
    if (rows.size() != 1) {
        dlg.critical(appTitle(), QStringLiteral("Please Select Only one Row....."));
        return;
    }
    const QTableWidgetItem* idCell = msflexdata_->item(rows.first().row(), kIdCol);
    const qint64 id = idCell ? idCell->text().toLongLong() : 0;
    if (!id || !dlg.question(appTitle(), QStringLiteral("Are You sure to Delete the Item?"), false)) return;
    try {
        if (!tryDb([&] { Sql::transaction(prod().db(), [&] { Stores::reverseIssue(prod().db(), id); }); })) return;
    } catch (const Refused& r) {
        // Deleted meanwhile at another workstation.
        dlg.critical(appTitle(), r.text());
        tryDb([this] { fillDay(); });
        return;
    }
    dlg.information(appTitle(), QStringLiteral("Records Successfully Deleted!"));
    tryDb([this] {
        fillStock();
        fillDay();
    });
}

void FrmStockIssue::cmdPrint() {
    Print::Document doc{QStringLiteral("STKISSUE"), QString()};
    doc.fields[QStringLiteral("IssueDate")] = dtpStkIssue_->date().toString(QStringLiteral("dd/MM/yyyy"));
    doc.hideRows << QStringLiteral("AmountInWords");
    tryDb([&] {
        int sl = 0;
        for (const Stores::IssueRow& r : Stores::manualIssuesOn(prod().db(), dtpStkIssue_->date()))
            doc.lines.append({++sl, r.category, r.itemCode, r.qty, r.unit, r.toWhom.trimmed(), r.remarks.trimmed()});
        Print::printDocument(prod().db(), Dialogs::current(), doc, false);
    });
}

}  // namespace kavra

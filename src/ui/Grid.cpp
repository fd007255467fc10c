#include "ui/Grid.h"

#include <QAction>
#include <QHeaderView>

namespace kavra {

void setGridHeading(QTableWidget* grid, const QString& heading) {
    const QStringList cols = heading.split(QLatin1Char('|'));
    grid->setColumnCount(cols.size());
    QStringList captions;
    for (const QString& c : cols) captions << c.trimmed();
    grid->setHorizontalHeaderLabels(captions);
    const QFontMetrics fm(grid->font());
    for (int i = 0; i < cols.size(); ++i)
        grid->setColumnWidth(i, std::max(fm.horizontalAdvance(cols[i]) + 12, fm.horizontalAdvance(captions[i]) + 24));
    grid->horizontalHeader()->setStretchLastSection(true);
}

void setCell(QTableWidget* grid, int row, int col, const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    grid->setItem(row, col, item);
}

void setTick(QTableWidgetItem* item, bool on) {
    if (!item) return;
    item->setData(Qt::UserRole, on ? QStringLiteral("P") : QString());
    item->setText(on ? QStringLiteral("\u2714") : QString());
    item->setTextAlignment(Qt::AlignCenter);
}

bool isTicked(const QTableWidgetItem* item) {
    return item && item->data(Qt::UserRole).toString() == QLatin1String("P");
}

QTableWidget* makeListGrid(const QString& objectName, const QString& heading, QWidget* parent) {
    auto* g = new QTableWidget(parent);
    g->setObjectName(objectName);
    setGridHeading(g, heading);
    g->verticalHeader()->setVisible(false);
    g->verticalHeader()->setDefaultSectionSize(QFontMetrics(g->font()).height() + 8);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setAlternatingRowColors(true);
    // Arrows move between the cells; Tab goes on to the next field as everywhere else.
    g->setTabKeyNavigation(false);
    offerExport(g);
    return g;
}

namespace {
const char* const kExportName = "kavraExportName";
const char* const kNoExport = "kavraNoExport";
}  // namespace

void offerExport(QAbstractItemView* view, const QString& name) {
    if (!name.isEmpty()) view->setProperty(kExportName, name);
    if (view->property(kNoExport).toBool() || view->findChild<QAction*>(QStringLiteral("actExport"))) return;
    auto* exportAction = new QAction(QStringLiteral("&Export to Workbook"), view);
    exportAction->setObjectName(QStringLiteral("actExport"));
    view->addAction(exportAction);
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    QObject::connect(exportAction, &QAction::triggered, view, [view] {
        if (listExporter()) listExporter()(view);
    });
}

void neverExport(QAbstractItemView* view) {
    view->setProperty(kNoExport, true);
}

QString exportName(const QAbstractItemView* view) {
    const QString n = view->property(kExportName).toString();
    return n.isEmpty() ? view->objectName() : n;
}

std::function<void(QAbstractItemView*)>& listExporter() {
    static std::function<void(QAbstractItemView*)> f;
    return f;
}

QString TableCells::text(int row, int col) const {
    if (row == 0) {
        const QTableWidgetItem* h = t_->horizontalHeaderItem(col);
        return h ? h->text() : QString();
    }
    const QTableWidgetItem* it = t_->item(row - 1, col);
    return it ? it->text() : QString();
}

int TableCells::colorValue(int row, int col) const {
    const QTableWidgetItem* it = row > 0 ? t_->item(row - 1, col) : nullptr;
    if (!it) return 0;
    const QColor c = it->foreground().color();
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

}  // namespace kavra

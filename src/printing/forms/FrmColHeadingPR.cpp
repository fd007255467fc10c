#include "printing/forms/FrmColHeadingPR.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/Menu.h"
#include "printing/forms/PrintOutput.h"
#include "ui/Grid.h"
#include "ui/Widgets.h"

namespace kavra {

FrmColHeadingPR::FrmColHeadingPR() : Screen(QStringLiteral("frmColHeadingPR")) {
    setWindowTitle(paddedCaption(QStringLiteral("MASTER - SALARY HEADS")));
    auto* v = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    for (int t = 1; t <= 3; ++t) {
        auto* g =
            makeListGrid(QStringLiteral("msflex%1").arg(t),
                         QStringLiteral("Id|Name in Screen       |Printed As               |Print             "), this);
        g->setSelectionBehavior(QAbstractItemView::SelectItems);
        // Only the printed caption is typed; the tick is toggled by a click.
        g->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
        // Three grids side by side: the names share the width, the tick column stays narrow.
        QHeaderView* h = g->horizontalHeader();
        h->setSectionResizeMode(0, QHeaderView::ResizeToContents);
        h->setSectionResizeMode(1, QHeaderView::Stretch);
        h->setSectionResizeMode(2, QHeaderView::Stretch);
        h->setSectionResizeMode(3, QHeaderView::Fixed);
        h->resizeSection(3, 48);
        g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grids_[t - 1] = g;
        auto* col = new QVBoxLayout;
        col->addWidget(new QLabel(SalaryHeads::gridName(t), this));
        col->addWidget(g);
        row->addLayout(col);
        connect(g, &QTableWidget::cellClicked, this, [g](int r, int c) {
            if (c == 3) toggleTick(g->item(r, 3));
        });
    }
    v->addLayout(row);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* modify = makeButton(this, "cmdModify", QStringLiteral("&Modify"));
    auto* close = makeButton(this, "cmdExit", QStringLiteral("&CLOSE"));
    buttons->addWidget(modify);
    buttons->addWidget(close);
    v->addLayout(buttons);
    connect(modify, &QPushButton::clicked, this, &FrmColHeadingPR::cmdModify);
    connect(close, &QPushButton::clicked, this, &Screen::closeWindow);
    resize(1100, 420);
}

bool FrmColHeadingPR::load() {
    if (!Screen::load()) return false;
    try {
        for (int t = 1; t <= 3; ++t) {
            heads_[t - 1] = SalaryHeads::load(prod().db(), t);
            QTableWidget* g = grids_[t - 1];
            g->setRowCount(0);
            for (const SalaryHeads::Head& h : heads_[t - 1]) {
                const int r = g->rowCount();
                g->insertRow(r);
                setCell(g, r, 0, QString::number(h.id));
                setCell(g, r, 1, h.screenName);
                g->setItem(r, 2, new QTableWidgetItem(h.printName));  // editable
                setCell(g, r, 3, QString());
                setTick(g->item(r, 3), h.print);
            }
        }
    } catch (const DbError& e) {
        logFailure(e);
    }
    return true;
}

void FrmColHeadingPR::cmdModify() {
    Dialogs& dlg = Dialogs::current();
    QVector<SalaryHeads::Head> all;
    for (int t = 1; t <= 3; ++t) {
        QTableWidget* g = grids_[t - 1];
        for (int r = 0; r < g->rowCount() && r < heads_[t - 1].size(); ++r) {
            SalaryHeads::Head h = heads_[t - 1][r];
            h.printName = g->item(r, 2) ? g->item(r, 2)->text() : QString();
            h.print = isTicked(g->item(r, 3));
            all.push_back(h);
        }
    }
    if (auto p = SalaryHeads::problem(all)) {
        dlg.critical(appTitle(), *p);
        return;
    }
    if (!dlg.ask(appTitle(), QStringLiteral("Are you sure to Modify?"))) return;
    try {
        SalaryHeads::store(prod().db(), all);
        dlg.information(appTitle(), QStringLiteral("Records Stored Successfully"));
    } catch (const DbError& e) {
        logFailure(e);
    }
}

void registerPrintingScreens() {
    Screens::add(QStringLiteral("frmColHeadingPR"), [] { return new FrmColHeadingPR; });
    listExporter() = [](QAbstractItemView* view) {
        for (QWidget* w = view; w; w = w->parentWidget())
            if (auto* screen = qobject_cast<Screen*>(w)) {
                Print::exportView(screen->prod().db(), view, data::screenDisplayName(screen->screenName()));
                return;
            }
        // A list in a window of its own (a screen's details list) reads the company's address itself.
        clsProd prod;
        if (prod.OpenCompanyDatabase().isEmpty()) Print::exportView(prod.db(), view, view->window()->windowTitle());
    };
}

}  // namespace kavra

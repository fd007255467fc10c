#include "cash/forms/CashPanel.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "cash/Balances.h"
#include "ui/Grid.h"

namespace kavra {

CashPanel::CashPanel(QWidget* parent) : QGroupBox(QStringLiteral("Cash && Bank Balance Details"), parent) {
    table_ = makeListGrid(QStringLiteral("msfCash"), QStringLiteral("Bank Name    |Balance       |Credit Limit      "),
                          this);
    table_->setFocusPolicy(Qt::ClickFocus);
    // Figures are never cut short; a long bank name is, and shows whole as its tip.
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c : {1, 2}) table_->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(4, 4, 4, 4);
    v->addWidget(table_);
}

void CashPanel::refresh(QSqlDatabase& db) {
    const Balances::Panel p = Balances::cashAndBanks(db);
    table_->setRowCount(0);
    auto add = [this](const QString& name, const QString& balance, const QString& limit) {
        const int r = table_->rowCount();
        table_->insertRow(r);
        auto* item = new QTableWidgetItem(name);
        item->setToolTip(name);
        table_->setItem(r, 0, item);
        for (int c : {1, 2}) {
            auto* it = new QTableWidgetItem(c == 1 ? balance : limit);
            it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(r, c, it);
        }
    };
    for (const Balances::BankBalance& b : p.banks)
        add(b.name, Balances::panelText(b.balance), b.creditLimit.toString());
    add(QStringLiteral("Cash Balance"), Balances::panelText(p.cash), QString());
    QFont bold = table_->font();
    bold.setBold(true);
    for (int c = 0; c < 3; ++c)
        if (auto* it = table_->item(table_->rowCount() - 1, c)) it->setFont(bold);
}

}  // namespace kavra

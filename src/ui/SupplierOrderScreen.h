#pragma once
// The order screen of our orders to suppliers (purchase and work orders): the order
// screen with the supplier's address and tax numbers shown from the master and not kept,
// the company's prefix before our number (not part of it), the person to attend to it
// (KindAttn: the names on the supplier's earlier orders and its contact) and the terms,
// proposed from the supplier's latest order.
#include <QCheckBox>
#include <QLineEdit>

#include "core/chain/Orders.h"
#include "ui/OrderScreen.h"

class QComboBox;

namespace kavra {

class SupplierOrderScreen : public OrderScreen {
    Q_OBJECT
  protected:
    SupplierOrderScreen(const QString& screenName, const chain::OrderKind& kind, OrderScreenTexts texts);
    // The terms box over the full width of headerGrid() at rows termsRow and termsRow + 1.
    void placeTerms(int termsRow);
    // The supplier's details of a stored order, with the person it names.
    void showSupplier(qint64 party, const QString& kindAttn, const QString& terms);
    void clearSupplier();
    void showPrefix(const QString& prefix);
    void customerChosen() override;

    QLineEdit* txtPrefix_;
    QComboBox* cmbKindAttn_;
    QTextEdit* rtbTerms_;

  private:
    // Address, tax numbers and the contacts offered; the person typed stays.
    void showDetails(qint64 party, const QString& kindAttn);
    void showContacts(const QStringList& contacts);
};

// The domain calls of a supplier order screen, said once over the chain's rules: Rules
// names the Order and its validate, save, computedValue, numberPrefix and reTrackByDefault.
template <class Rules>
class SupplierOrderScreenOf : public SupplierOrderScreen {
  public:
    using SupplierOrderScreen::SupplierOrderScreen;

    bool load() override {
        if (!SupplierOrderScreen::load()) return false;
        refreshLists();
        return true;
    }
    void refreshLists() override {
        tryDb([&] { showPrefix(Rules::numberPrefix(prod().db())); });
    }

    Check validate(bool adding) override {
        const Check r = Rules::validate(prod().db(), read(), adding);
        // The re-tracking box goes back to what the order's documents were made with.
        if (r && r->field == QLatin1String("chkReTrkRej")) chkReTrkRej_->setChecked(!chkReTrkRej_->isChecked());
        return r;
    }
    qint64 write(bool adding, qint64 id) override {
        typename Rules::Order o = read();
        o.id = id;
        return Rules::save(prod().db(), o, adding);
    }

  protected:
    virtual typename Rules::Order read() const = 0;
    bool reTrackByDefault() override { return Rules::reTrackByDefault(prod().db()); }
    void computeValue() override { txtVal_->setText(orderValueText(Rules::computedValue(read()))); }
};

}  // namespace kavra

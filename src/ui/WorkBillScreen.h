#pragma once
// The bill screen of the bills for work (chain::WorkBills): the party's DCs billed in the
// item's other unit, with VAT, service tax and the cess on it. The labour invoice and the
// subcontractor's bill are this screen with their kinds.
#include "core/chain/WorkBills.h"
#include "ui/BillScreen.h"

namespace kavra {

class WorkBillScreen : public BillScreen {
  public:
    explicit WorkBillScreen(const BillScreenKind& kind);
    // The screen of a bill kind for work: its grid of DC lines billed in the other unit.
    static BillScreenKind kindOf(const QString& screen, const QString& caption, const QString& heading,
                                 const chain::BillKind* kind);

  protected:
    void readSettings() override;
    void proposeTaxes(qint64 party, const QList<qint64>& dcIds) override;
    void clearTaxes() override;
    std::optional<Stored> loadBill(qint64 id) override;
    Worked value(const Bill& b) const override;
    Check validateBill(const Bill& b, qint64 shownId) override;
    qint64 saveBill(const Bill& b, qint64 shownId) override;
    void removeBill(qint64 id) override;
    Check deleteBlock() override;

    chain::WorkBills::Invoice invoice(const Bill& b) const;

  private:
    void showTaxes(const chain::WorkBills::Taxes& t);
    void cessTyped();
    const chain::BillKind& bk_;
};

}  // namespace kavra

#include "sales/forms/DCScreen.h"

#include "printing/forms/ShownPrint.h"
#include "sales/DeliveryChallans.h"
#include "sales/SalesKinds.h"

namespace kavra {

namespace Dcs = sales::Dcs;

namespace {

const DcScreenKind& mfgDc() {
    static const DcScreenKind k = [] {
        DcScreenKind s;
        s.screen = QStringLiteral("frmDC");
        s.caption = QStringLiteral("SALES - Manufacturing");
        s.heading = QStringLiteral("Delivery Challan");
        s.party = QStringLiteral("TO CUSTOMER");
        s.idName = QStringLiteral("txtDcInvID");
        s.dcNo = QStringLiteral("DC NO.");
        s.poDateName = QStringLiteral("dtpPOdate");
        s.gridHeading = QStringLiteral(
            " SlNo |Item Code / Part No.        | Particulars                                  |     Qty        "
            "|Remarks     |Stk.Qty  | PO Bal.Qty   ");
        s.remarkHint = QStringLiteral("Type 'NV' in Remarks for the Particulars having No invoice Value");
        s.rejections = QStringLiteral("frmRejection_DC_MFG");
        s.form39 = &sales::form39Kind();
        s.stockCol = 5;
        s.poBalCol = 6;
        s.record.adding = QStringLiteral("You are about to ADD a NEW DC Now...");
        s.record.modifying = QStringLiteral("You are about to MODIFY the existing DC Now...");
        s.record.deleting = QStringLiteral("You are about to DELETE the existing DC now...");
        s.record.emptyTable = QStringLiteral("No records to Display.");
        s.kind = &sales::dcKind();
        s.hooks = Dcs::hooks();
        s.modifyQuestion = [](const Dcs::Dc& d) { return Dcs::modifyQuestion(d); };
        s.changeNotice = [](const Dcs::Dc& d) { return Dcs::stockNotice(d); };
        s.print = [](DcScreen* screen, qint64) {
            Print::printShown(
                screen, screen->controller(), [screen](qint64 id) { return Dcs::print(screen->prod().db(), id); },
                Print::Document{QStringLiteral("MFGDC"), QStringLiteral("MfgDC")});
        };
        return s;
    }();
    return k;
}

}  // namespace

FrmDC::FrmDC() : DcScreen(mfgDc()) {}

}  // namespace kavra

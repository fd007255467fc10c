#include "jobwork/forms/LabourDCScreens.h"

#include "jobwork/LabourDcs.h"
#include "jobwork/LabourKinds.h"
#include "printing/forms/ShownPrint.h"

namespace kavra {

namespace Dcs = jobwork::Dcs;

namespace {

DcScreenKind labourDc(const QString& screen, const QString& heading, const QString& party) {
    DcScreenKind s;
    s.screen = screen;
    s.caption = QStringLiteral("LABOUR WORK");
    s.heading = heading;
    s.party = party;
    s.idName = QStringLiteral("txtDcID");
    s.record.adding = QStringLiteral("You are about to ADD a NEW DC Now...");
    s.record.modifying = QStringLiteral("You are about to MODIFY the existing DC now...");
    s.record.deleting = QStringLiteral("You are about to DELETE the existing DC now...");
    s.record.emptyTable = QStringLiteral("No records to Display.");
    return s;
}

const DcScreenKind& incoming() {
    static const DcScreenKind k = [] {
        DcScreenKind s = labourDc(QStringLiteral("frmDCIncoming"), QStringLiteral("Delivery Challan (Incoming)"),
                                  QStringLiteral("FROM CUSTOMER"));
        s.dcNo = QStringLiteral("Customer DC NO.");
        s.remark = QStringLiteral("REMARKS");
        s.gridHeading = QStringLiteral(
            " SlNo |Item Code / Part No.       | Particulars                                                     "
            "|     Qty        |Remarks     | PO Bal.Qty   ");
        s.notes = {QStringLiteral("+  PO Bal. Qty ---> Balance Qty.  to be Received as per PO")};
        s.poBalCol = 5;
        s.kind = &jobwork::incomingKind();
        return s;
    }();
    return k;
}

const DcScreenKind& outgoing() {
    static const DcScreenKind k = [] {
        DcScreenKind s = labourDc(QStringLiteral("frmDCOutgoing"), QStringLiteral("DC - Labour Work (Outgoing)"),
                                  QStringLiteral("TO CUSTOMER"));
        s.dcNo = QStringLiteral("DC NO.");
        s.gridHeading = QStringLiteral(
            " Sl.No |Item Code / Part No.      | Particulars                            |     Qty     | Remarks"
            "|stkQty  |QtyOnHand  | PO BalQty   ");
        s.remarkHint = QStringLiteral("   Type NV in Remarks for \n   the Particulars that has \n   No Invoice Value");
        s.notes = {QStringLiteral("Qty On Hand  ---> Unfinished Qty. available with us"),
                   QStringLiteral("PO Bal. Qty ---> Balance Qty.  to be Sent as per PO")};
        s.partyTip = QStringLiteral(
            "If NO CUSTOMERS found in this list, then all the Incoming Material has been sent to respective "
            "customers already (there is NO PENDING ITEMS)");
        s.rejections = QStringLiteral("frmRejection_DC_LAB");
        s.form39 = &jobwork::form39Kind();
        s.stockCol = 5;
        s.stockOnlyLinked = true;
        s.onHandCol = 6;
        s.poBalCol = 7;
        s.kind = &jobwork::outgoingKind();
        s.print = [](DcScreen* screen, qint64) {
            Print::printShown(
                screen, screen->controller(), [screen](qint64 id) { return Dcs::print(screen->prod().db(), id); },
                Print::Document{QStringLiteral("labdc"), QStringLiteral("LabDC")});
        };
        return s;
    }();
    return k;
}

}  // namespace

FrmDCIncoming::FrmDCIncoming() : DcScreen(incoming()) {}

FrmDCOutgoing::FrmDCOutgoing() : DcScreen(outgoing()) {}

}  // namespace kavra

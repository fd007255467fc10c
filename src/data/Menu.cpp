#include "data/Menu.h"

#include <QHash>

namespace kavra::data {

namespace {

MenuEntry w(const char* caption, const char* screen, int right = 0) {
    return {QString::fromUtf8(caption), QString::fromUtf8(screen), right, EntryKind::Working, {}};
}
MenuEntry v(const char* caption, const char* screen, int right = 0) {
    return {QString::fromUtf8(caption), QString::fromUtf8(screen), right, EntryKind::View, {}};
}
MenuEntry t(const char* caption, const char* screen, int right = 0) {
    return {QString::fromUtf8(caption), QString::fromUtf8(screen), right, EntryKind::Tool, {}};
}
MenuEntry a(const char* caption, const char* action, int right = 0) {
    return {QString::fromUtf8(caption), QString::fromUtf8(action), right, EntryKind::Action, {}};
}
MenuEntry sub(const char* caption, int right, QVector<MenuEntry> children) {
    return {QString::fromUtf8(caption), {}, right, EntryKind::Submenu, std::move(children)};
}
MenuEntry iso() {
    return {QStringLiteral("My ISO Menus"), {}, 0, EntryKind::IsoMenu, {}};
}

QVector<MenuGroup> build() {
    QVector<MenuGroup> g;
    g.push_back(
        {1,
         "lblMaster",
         "Master",
         "Master",
         {sub("Admin", 1,
              {w("&Users", "frmUserEntry"), w("User &Rights", "frmUserRights"), v("User &Status", "frmViewImpSys")}),
          sub("Human Resource", 2,
              {w("&Employee Details", "frmStaff"), w("Print Salary &Headings", "frmColHeadingPR")}),
          sub("General", 3,
              {w("&Machine", "frmMachine"), w("&Customer (Sales/Labour)", "frmCustomer"),
               w("&Supplier (Sub Contract)", "frmSupplier"), w("&Vendor (Purchase)", "frmVendor")}),
          sub("Inventory", 4,
              {w("&Category", "frmCategory"), w("&Item", "frmItem"), t("Bill Of Materials", "frmStkRedDefine"),
               t("Process", "frmProcessID")}),
          sub("Accounts", 5, {w("&Expense", "frmExpense"), w("&Income", "frmIncome"), w("&Bank Details", "frmBanks")}),
          w("My Company Details", "frmMisc", 6), iso()}});
    g.push_back({2,
                 "lblProd",
                 "Production",
                 "Production",
                 {w("Production Log", "frmProdn", 7), w("Production Schedule", "frmProdSchedule", 8), iso()}});
    g.push_back({3,
                 "lblInventory",
                 "Inventory",
                 "Inventory",
                 {v("&Stock Position", "frmStock", 9), w("Material &Issue Note (Stock Reduction)", "frmStockIssue", 10),
                  w("Store &Transfer Note (Stock Addition)", "frmSTN", 11), iso()}});
    g.push_back(
        {4,
         "lblPurchase",
         "Purchase",
         "Purchase",
         {w("Purchase Order  (Outgoing)", "frmPurchasePO", 12), w("Purchased Bills  (Incoming)", "frmPurchase", 13),
          w("Serices Bill (Inwards)", "frmInvoiceServIn", 14), iso()}});
    g.push_back({5,
                 "lblSales",
                 "Sales",
                 "Sales",
                 {w("&Quotation  (Outgoing)", "frmQuote", 15),
                  sub("&Manufacturing", 0,
                      {w("Customer Purchase Order  (Incoming)", "frmMfgPO", 16), w("&DC  (Outgoing)", "frmDC", 17),
                       w("&Invoice  (Outgoing)", "frmInvoice", 18)}),
                  sub("&Labour", 0,
                      {w("Customer Purchase Order  (Incoming)", "frmLabourPO", 19),
                       w("Customer DC  (Incoming)", "frmDCIncoming", 20), w("DC  (Outgoing)", "frmDCOutgoing", 21),
                       w("Invoice  (Outgoing)", "frmInvoiceL", 22)}),
                  w("Services Bill (Outwards)", "frmInvoiceServOut", 23), iso()}});
    g.push_back({6,
                 "lblSubContract",
                 "SubContract",
                 "SubContract",
                 {w("Purchase Order  (Outgoing)", "frmSubConPO", 24), w("&DC  (Outgoing)", "frmDCSubConOut", 25),
                  w("&SubContractor DC  (Incoming)", "frmDCSubConIn", 26),
                  w("&SubContractor Invoice  (Incoming)", "frmInvoiceSC", 27), iso()}});
    g.push_back({7,
                 "lblCash",
                 "Accounts Transactions",
                 "Accounts Transactions",
                 {w("&Payments", "frmPayments", 28), w("&Receipts", "frmReceipts", 29),
                  w("&Bank Transactions", "frmBankTrans", 30), w("&Advance Adjustments", "frmAdvAdjust", 31), iso()}});
    g.push_back({8,
                 "lblStaffWelf",
                 "Human Resource",
                 "Human Resource",
                 {w("&Attendance", "frmAttendance", 32), w("&Salary", "frmSalary", 33),
                  w("&Staff Loan", "frmStaffLoan", 34), iso()}});
    g.push_back({9,
                 "lblMaintain",
                 "Maintenance",
                 "Maintenance",
                 {w("Maintenance &Schedule", "frmMaintain", 35), w("Maintenance Process", "frmMaintainPro", 36),
                  w("BreakDown Maintenance", "frmBrkDnMaint", 37),
                  w("Calibration History and Maintainence", "frmCalibrate", 38), iso()}});
    g.push_back({10,
                 "lblInspection",
                 "Inspection",
                 "Inspection",
                 {sub("Manufacturing  &&  Labour", 0,
                      {w("Final Inspection - Random Samples ", "frmInspection", 39),
                       w("Final Inspection - Individual Samples", "frmInspectionInde", 40)}),
                  w("SubContractor Inspection Report  (Incoming)", "frmInspectionSC", 41), iso()}});
    g.push_back(
        {11,
         "lblView",
         "View",
         "View",
         {sub("General", 0, {v("Ledger", "frmView", 42), v("Search", "frmViewSrch", 43)}),
          v("Customized Reports", "frmViewCustom", 44), v("All DCs and Invoices OUTWARDS", "frmViewAllDCINV_OUT"),
          v("All DCs and Invoices INWARDS", "frmViewAllDCINV_IN"),
          v("Tally - DC Inwards && Outwards", "frmViewLabSubConDCStatus"), v("Confirmation of Accounts", "frmViewACC"),
          v("Fund Flow Statement", "frmViewFundFlow"), v("Profit and Loss Statement", "frmView_GPL_NPL"),
          v("PO Pending List", "frmViewPOPendg"), v("Material Stock left with Supplier", "frmViewBalLabSubConDC"),
          v("Bills Pending List", "frmViewPending"), v("Bills Paid  List", "frmViewPaid"),
          v("Tax Details", "frmViewTaxDetails"), v("VAT Report", "frmViewVATReport"),
          v("Rejection Analysis", "frmViewRejection"), v("View Summary && Graphs", "frmViewGraphs"), iso()}});
    g.push_back({12,
                 "lblUtilities",
                 "Utilities",
                 "Utilities",
                 {t("&Calculator", "frmCal", 45), t("Con&version", "frmConv", 46), t("&ORGANISER", "frmOrganise", 47),
                  a("Compact &Database", "compact", 48), a("&Restore from a Backup...", "restore", 48),
                  t("Correspondences", "frmCorres"), iso()}});
    return g;
}

void collect(const QString& topic, const QString& path, const QVector<MenuEntry>& entries, QHash<int, RightRow>& out) {
    for (const MenuEntry& e : entries) {
        const QString here =
            path.isEmpty() ? plainCaption(e.caption) : path + QStringLiteral(" - ") + plainCaption(e.caption);
        if (e.right >= 1 && e.right <= 45) out.insert(e.right, {e.right, topic, here.trimmed()});
        collect(topic, here, e.children, out);
    }
}

}  // namespace

const QVector<MenuGroup>& menuGroups() {
    static const QVector<MenuGroup> groups = build();
    return groups;
}

QVector<RightRow> rightRows() {
    QHash<int, RightRow> found;
    for (const MenuGroup& g : menuGroups()) collect(g.topic, {}, g.entries, found);
    QVector<RightRow> rows;
    for (int n = 1; n <= 45; ++n) rows.push_back(found.value(n, {n, QString(), QString()}));
    return rows;
}

QString plainCaption(const QString& caption) {
    QString out;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) {
                out += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        out += caption[i];
    }
    return out;
}

QString screenDisplayName(const QString& screen) {
    static const QHash<QString, QString> names = {
        {"frmUserEntry", "Master - Users"},
        {"frmUserRights", "Master - User Rights "},
        {"frmStaff", "Master - Staff"},
        {"frmColHeadingPR", "Master - Salary Headings"},
        {"frmMachine", "Master - Machine"},
        {"frmCustomer", "Master - Customer"},
        {"frmSupplier", "Master - Supplier"},
        {"frmVendor", "Master - Vendor"},
        {"frmCategory", "Master - Category"},
        {"frmItem", "Master - Item"},
        {"frmExpense", "Master - Expense"},
        {"frmIncome", "Master - Income"},
        {"frmBanks", "Master - Banks"},
        {"frmMisc", "My Company Details"},
        {"frmProdn", "Production Log"},
        {"frmStock", "Stock Position"},
        {"frmSTN", "Store Transfer Note"},
        {"frmStockIssue", "Material Issue Note"},
        {"frmPurchasePO", "Purchase Order - Purchase"},
        {"frmPurchase", "Purchase"},
        {"frmQuote", "Quotation"},
        {"frmMfgPO", "Work Order - Manufacturing"},
        {"frmDC", "Dc Outgoing - Manufacturing"},
        {"frmInvoice", "Invoice - Manufacturing"},
        {"frmLabourPO", "Work Order - Labour"},
        {"frmDCIncoming", "Dc Incoming - Labour"},
        {"frmDCOutgoing", "Dc Outgoing - Labour"},
        {"frmInvoiceL", "Invoice - Labour"},
        {"frmSubConPO", "Work Order - Subcontract"},
        {"frmDCSubConOut", "Dc Outgoing - Subcontract"},
        {"frmDCSubConIn", "Dc Incoming - Subcontract"},
        {"frmInvoiceSC", "Invoice - Subcontract"},
        {"frmPayments", "Payments"},
        {"frmReceipts", "Receipts"},
        {"frmBankTrans", "Bank Transactions"},
        {"frmAdvAdjust", "Advance Adjustments"},
        {"frmMaintain", "Maintenance schedule"},
        {"frmBrkDnMaint", "Break Down Maintenance"},
        {"frmCalibrate", "Calibration History and Maintenance"},
        {"frmInspection", "Inspection Random Samples"},
        {"frmInspectionInde", "Inspection Individual Samples"},
        {"frmInspectionSC", "Inspection Report Supplier"},
        {"frmView", "View - General"},
        {"frmView_GPL_NPL", "View - Profit & Loss Account"},
        {"frmViewACC", "View - Confimation of Accounts"},
        {"frmViewAllDCINV_IN", "View - All DC's & Invoice Inwards"},
        {"frmViewAllDCINV_OUT", "View - All DC's & Invoice Outwards"},
        {"frmViewBalLabSubConDC", "View - Stock Left with (Supplier and Customer)"},
        {"frmViewFundFlow", "View - Fund Flow"},
        {"frmViewImpSys", "View - Online Users"},
        {"frmViewLabSubConDCStatus", "View - DC In Out Tally"},
        {"frmViewPaid", "View - Paid Bills"},
        {"frmViewPending", "View - Pending Bills"},
        {"frmViewPOPendg", "View - PO Pending"},
        {"frmViewRejection", "View - Rejections"},
        {"frmViewVATReport", "View - VAT Report"},
        {"frmViewTaxDetails", "View - Tax Details"},
        {"frmMeasure", "Master - Measurement"},
        {"frmDbCrNote_Purch", "Purchase - Credit Note"},
        {"frmRejection_Purch", "Purchase - Rejections"},
        {"frmForm39_DC_MFG", "Mfg DC - VAT 515"},
        {"frmRejection_DC_MFG", "Mfg DC - Rejections"},
        {"frmDbCrNote_INV_MFG", "Mfg Invoice - Debit Note"},
        {"frmExcise_INV_MFG", "Mfg Invoice - Excise"},
        {"frmForm39_DC_LAB", "Labour DC - VAT 515"},
        {"frmRejection_DC_LAB", "Labour DC - Rejections"},
        {"frmDbCrNote_INV_LAB", "Labour Invoice - Debit Note"},
        {"frmAnnexure_SC_DC_OUT", "Sub Contract DC Outgoing - Annexure"},
        {"frmForm39_SC_DC_OUT", "Sub Contract DC Outgoing - VAT 515"},
        {"frmRejection_SC_DC_IN", "Sub Contract DC Incoming - Rejections"},
        {"frmDbCrNote_INV_SC", "Sub Contract Invoice - Credit Note"},
        {"frmAttendance", "Attendance"},
        {"frmSalary", "Salary"},
        {"frmStaffLoan", "Staff Loan"},
        {"frmMaintainPro", "Maintenance Process"},
    };
    return names.value(screen, screen);
}

}  // namespace kavra::data

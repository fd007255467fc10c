#pragma once
// The company database's tables of each document family, one migration each, kept
// beside the family's own code so that each grows on its own.
#include <QStringList>

namespace kavra::data {

QStringList storesSchema();           // STN, STNSub, StoreIss, StoreIssSub, AutoCITS, AutoCITI
QStringList ordersAndDcsSchema();     // MfgPO, MfgPoSub, DcInv, DcInvSub, ProductL
QStringList invoicesSchema();         // the invoice columns of DcInv and what invoicing needs
QStringList amountsAsTypedSchema();   // rates and typed charges as numbers, not paise
QStringList labourSchema();           // LabPO, LabPOSub, DCIncoming, DcIncomingSub, DcOutgoingInv, DcOutgoingSubInv
QStringList lookupIndexesSchema();    // indexes for the screens' and saves' look-ups
QStringList form39Schema();           // the Form VAT 515 goods columns on DcInv; DcIncomingSub by DC and item
QStringList labourInvoicesSchema();   // the invoice columns of DcOutgoingInv and its lines
QStringList purchaseSchema();         // PurchPO, PurchPOSub, Purchase, PurchaseSub
QStringList banksSchema();            // Banks, BankTrans
QStringList serviceInvoicesSchema();  // InvoiceServOut, InvoiceServIn and their lines
QStringList serviceNotesSchema();     // the note and tax-deducted columns of the service invoices
QStringList ledgerLookupsSchema();    // indexes for the money screens' look-ups
QStringList paymentLookupsSchema();   // indexes for a payment's open bills
QStringList staffSchema();            // Staff (the columns the money screens read)
QStringList staffPayrollSchema();     // the rest of Staff; Attendance, Holidays, Salary, StaffLoan and its recoveries
QStringList subcontractSchema();      // SubConPO, SubConPOSub, DcSubConOutgoing, DcSubConIncoming and their lines
QStringList subcontractInvoicesSchema();  // the invoice columns of DcSubConIncoming and its lines
QStringList qualityAndUpkeepSchema();     // Calibrate, CalibrateRep, Machine, Maintenance, MaintainSch, MaintainData,
                                          // BrkDown
QStringList statementsSchema();           // note amounts, lot rates and the indexes the statements read

}  // namespace kavra::data

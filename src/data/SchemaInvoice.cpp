#include "data/SchemaParts.h"

namespace kavra::data {

// The invoice columns of DcInv and DcInvSub came with the DCs. Invoice numbers are unique
// in a year across manufacturing and job-work invoices, so saving an invoice looks the
// number up among the job-work DCs as well.
QStringList invoicesSchema() {
    return {"CREATE INDEX ix_DcOutgoingInv_InvNo ON DcOutgoingInv (InvNo)"};
}

}  // namespace kavra::data

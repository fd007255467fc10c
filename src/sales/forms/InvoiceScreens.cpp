#include "sales/forms/InvoiceScreens.h"

namespace kavra {

void registerInvoiceScreens() {}

}  // namespace kavra

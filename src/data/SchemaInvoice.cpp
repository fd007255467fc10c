#include "data/SchemaParts.h"

namespace kavra::data {

QStringList invoicesSchema() {
    return {};
}

}  // namespace kavra::data

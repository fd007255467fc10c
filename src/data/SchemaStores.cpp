#include "data/SchemaParts.h"

namespace kavra::data {

QStringList storesSchema() {
    return {};
}

}  // namespace kavra::data

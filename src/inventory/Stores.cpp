#include "inventory/Stores.h"

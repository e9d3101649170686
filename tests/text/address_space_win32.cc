#include "tests/text/address_space.h"

namespace corvalin::testing_support {

// A 32-bit process without the large-address flag has 2 GB of user address space, so a 2 GB
// block can never be had there and nothing needs lowering. A 64-bit process has no bound that
// Wine enforces.
bool canCapAddressSpace() { return sizeof(void*) == 4; }

void capAddressSpace() {}

}  // namespace corvalin::testing_support

#include "tests/text/address_space.h"

namespace corvalin::testing_support {

// A 32-bit process without the large-address flag has 2 GB of user address space, so the
// 2 GB block the tests ask for can never be had: there is nothing to lower.
void capAddressSpace() {}

}  // namespace corvalin::testing_support

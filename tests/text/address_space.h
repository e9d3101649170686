// Lets a death test make large allocations fail for real, without touching the machine's memory.
#pragma once

namespace corvalin::testing_support {

// Caps this process's address space a little above what it uses now, so that any further
// allocation of hundreds of megabytes fails.
void capAddressSpace();

}  // namespace corvalin::testing_support

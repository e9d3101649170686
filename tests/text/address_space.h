// Lets a death test make large allocations fail for real, without using the machine's memory.
#pragma once

namespace corvalin::testing_support {

// Whether capAddressSpace() makes an allocation of 2 GB fail on this platform.
bool canCapAddressSpace();

// Makes any further allocation of hundreds of megabytes fail in this process.
void capAddressSpace();

}  // namespace corvalin::testing_support

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>

#include "tests/text/address_space.h"

// Under AddressSanitizer a failed allocation must come back as a null pointer, as it does
// without it, instead of ending the test with the sanitizer's own report.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }

namespace corvalin::testing_support {
namespace {

unsigned long long currentAddressSpaceBytes() {
  unsigned long long pages = 0;
  if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%llu", &pages) != 1) pages = 0;
    std::fclose(statm);
  }
  return pages * static_cast<unsigned long long>(sysconf(_SC_PAGESIZE));
}

}  // namespace

bool canCapAddressSpace() { return true; }

// Caps the address space a little above what the process uses now.
void capAddressSpace() {
  constexpr unsigned long long kHeadroom = 256ull << 20;
  const rlim_t cap = static_cast<rlim_t>(currentAddressSpaceBytes() + kHeadroom);
  const rlimit limit{cap, cap};
  setrlimit(RLIMIT_AS, &limit);
}

}  // namespace corvalin::testing_support

// Linked into every benchmark. glibc hands blocks above its mmap threshold
// (at most 32 MB) straight back to the kernel, so a benchmark whose result
// outgrows it pays fresh page faults on every iteration while a smaller
// one reuses warm memory; a tenfold input then looks thirty times slower.
// Keeping every block in the heap makes the sizes comparable.
#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>

namespace {

const bool steady_allocator = [] {
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    return true;
}();

}  // namespace
#endif

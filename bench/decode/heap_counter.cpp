// The counter replaces the C allocation functions of this program with
// wrappers around glibc's own (__libc_malloc and friends) that add up
// malloc_usable_size of every block. Single-threaded use only.
#include "heap_counter.h"

#include <cstdlib>
#include <cstring>

#if defined(__SANITIZE_ADDRESS__)
#define SORVANE_NO_HEAP_COUNTER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SORVANE_NO_HEAP_COUNTER 1
#endif
#endif

#ifndef SORVANE_NO_HEAP_COUNTER
#include <malloc.h>

extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void __libc_free(void*);
void* __libc_memalign(std::size_t, std::size_t);
}

namespace {
std::size_t g_in_use = 0;
std::size_t g_peak = 0;

inline void* counted(void* p) {
  if (p != nullptr) {
    g_in_use += malloc_usable_size(p);
    if (g_in_use > g_peak) g_peak = g_in_use;
  }
  return p;
}
inline void uncount(void* p) {
  if (p != nullptr) g_in_use -= malloc_usable_size(p);
}
}  // namespace

extern "C" {
void* malloc(std::size_t n) { return counted(__libc_malloc(n)); }
void* calloc(std::size_t n, std::size_t m) { return counted(__libc_calloc(n, m)); }
void free(void* p) {
  uncount(p);
  __libc_free(p);
}
void* realloc(void* p, std::size_t n) {
  uncount(p);
  void* q = __libc_realloc(p, n);
  if (q == nullptr && n != 0) {
    counted(p);  // the old block is still there
    return nullptr;
  }
  return counted(q);
}
void* memalign(std::size_t a, std::size_t n) { return counted(__libc_memalign(a, n)); }
void* aligned_alloc(std::size_t a, std::size_t n) { return counted(__libc_memalign(a, n)); }
int posix_memalign(void** out, std::size_t a, std::size_t n) {
  void* p = __libc_memalign(a, n);
  if (p == nullptr) return 12;  // ENOMEM
  *out = counted(p);
  return 0;
}
}

namespace sorvane::bench {
bool heap_counter_available() { return true; }
std::size_t heap_in_use() { return g_in_use; }
std::size_t heap_reset_peak() { return g_peak = g_in_use; }
std::size_t heap_peak() { return g_peak; }
}  // namespace sorvane::bench

#else

namespace sorvane::bench {
bool heap_counter_available() { return false; }
std::size_t heap_in_use() { return 0; }
std::size_t heap_reset_peak() { return 0; }
std::size_t heap_peak() { return 0; }
}  // namespace sorvane::bench

#endif

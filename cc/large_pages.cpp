// Asks mimalloc, the allocator of orvcc, to back its heap with 2 MiB pages
// where the system has them (transparent huge pages, which mimalloc asks for
// with madvise).
//
// mimalloc gives each size of object its own 64 KiB area, so a program that
// allocates a few objects of many sizes touches one fresh 4 KiB page per size:
// a build of a thousand short pages took about 470 page faults, each of which
// costs more than the work it serves. With large pages the heap is faulted in
// once per 2 MiB. Each of those is zeroed whole, which costs a program that
// does little (an empty script: 70 faults spared, 0.4 ms lost) more than it
// spares; orvscript therefore goes without.
//
// The option has to be set before mimalloc starts, which happens when the
// shared libraries are initialised, before any constructor of this program
// runs; only a function of the program's .preinit_array runs earlier. A user
// who sets MIMALLOC_LARGE_OS_PAGES keeps their own choice.

#include <mimalloc.h>
#include <strings.h>

namespace {

constexpr char kVariable[] = "MIMALLOC_LARGE_OS_PAGES=";

void UseLargePages(int, char**, char** environment) {
  for (char** entry = environment; entry && *entry; ++entry) {
    // mimalloc reads its variables without regard to case.
    if (strncasecmp(*entry, kVariable, sizeof kVariable - 1) == 0) return;
  }
  mi_option_set(mi_option_large_os_pages, 1);
}

}  // namespace

[[gnu::section(".preinit_array"), gnu::used]] static void (*const use_large_pages)(int, char**, char**) =
    UseLargePages;

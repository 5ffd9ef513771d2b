/* A host written in C that knows libtagwiz.so only through orv/tagwiz.h and
 * dlopen: every export is there under its C name and has the type its
 * declaration gives. Exits 0 when all five were found. */
#include <dlfcn.h>
#include <stdio.h>

#include "orv/tagwiz.h"

#define FIND(library, name)                                                  \
  do {                                                                       \
    __typeof__(&name) found = (__typeof__(&name))dlsym(library, #name);      \
    if (found == NULL) {                                                     \
      fprintf(stderr, "missing export %s\n", #name);                         \
      return 1;                                                              \
    }                                                                        \
  } while (0)

int main(int argc, char** argv) {
  void* library = dlopen(argc > 1 ? argv[1] : "libtagwiz.so", RTLD_NOW);
  if (library == NULL) {
    fprintf(stderr, "%s\n", dlerror());
    return 1;
  }
  FIND(library, ShowHLink);
  FIND(library, InsTable);
  FIND(library, InsCSS);
  FIND(library, InsActiveX);
  FIND(library, InsJavaApp);
  return 0;
}

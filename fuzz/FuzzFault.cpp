#include "fuzz/FuzzTargets.h"

#include <cstdio>
#include <cstdlib>

void FuzzFault(const char* what)
{
    std::fprintf(stderr, "fuzz fault: %s\n", what);
    std::abort();
}

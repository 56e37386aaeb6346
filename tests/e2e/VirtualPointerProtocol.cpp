// The protocol's tables as wayland-scanner writes them, compiled as C++ after their C declarations: those give
// the constant tables the outside linkage that C gives them by default.
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include "wlr-virtual-pointer-unstable-v1-protocol.c"

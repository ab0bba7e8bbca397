// <OS.h> at its place in the Kernel Kit.
#include <OS.h>

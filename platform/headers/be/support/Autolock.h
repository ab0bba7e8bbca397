// <Autolock.h> at its place in the Support Kit.
#include <Autolock.h>

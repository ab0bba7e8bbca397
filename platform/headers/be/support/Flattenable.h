// <Flattenable.h> at its place in the Support Kit.
#include <Flattenable.h>

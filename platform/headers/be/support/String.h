// <String.h> at its place in the Support Kit.
#include <String.h>

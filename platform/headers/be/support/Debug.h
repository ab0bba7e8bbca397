// <Debug.h> at its place in the Support Kit.
#include <Debug.h>

// <NetDebug.h> at its place in the Network Kit.
#include <NetDebug.h>

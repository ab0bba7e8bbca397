// <NetBuffer.h> at its place in the Network Kit.
#include <NetBuffer.h>

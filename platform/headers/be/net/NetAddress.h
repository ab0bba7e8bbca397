// <NetAddress.h> at its place in the Network Kit.
#include <NetAddress.h>

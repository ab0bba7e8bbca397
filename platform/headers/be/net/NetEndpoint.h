// <NetEndpoint.h> at its place in the Network Kit.
#include <NetEndpoint.h>

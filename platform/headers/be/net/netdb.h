// <netdb.h> at its place in the Network Kit.
#include <netdb.h>

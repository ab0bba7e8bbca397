// <socket.h> at its place in the Network Kit.
#include <socket.h>

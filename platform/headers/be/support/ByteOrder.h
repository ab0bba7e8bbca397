// <ByteOrder.h> at its place in the Support Kit.
#include <ByteOrder.h>

// <BufferIO.h> at its place in the Support Kit.
#include <BufferIO.h>

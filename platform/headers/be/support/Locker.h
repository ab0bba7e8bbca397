// <Locker.h> at its place in the Support Kit.
#include <Locker.h>

// <Beep.h> at its place in the Support Kit.
#include <Beep.h>

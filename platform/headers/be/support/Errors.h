// <Errors.h> at its place in the Support Kit.
#include <Errors.h>

// <UTF8.h> at its place in the Support Kit.
#include <UTF8.h>

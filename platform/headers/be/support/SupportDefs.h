// <SupportDefs.h> at its place in the Support Kit.
#include <SupportDefs.h>

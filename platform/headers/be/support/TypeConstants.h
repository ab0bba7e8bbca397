// <TypeConstants.h> at its place in the Support Kit.
#include <TypeConstants.h>

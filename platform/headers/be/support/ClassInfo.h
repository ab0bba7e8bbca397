// <ClassInfo.h> at its place in the Support Kit.
#include <ClassInfo.h>

// <Archivable.h> at its place in the Support Kit.
#include <Archivable.h>

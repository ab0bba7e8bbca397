// <BlockCache.h> at its place in the Support Kit.
#include <BlockCache.h>

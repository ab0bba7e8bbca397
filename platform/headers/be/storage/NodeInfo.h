// <NodeInfo.h> at its place in the Storage Kit.
#include <NodeInfo.h>

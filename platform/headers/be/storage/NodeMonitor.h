// <NodeMonitor.h> at its place in the Storage Kit.
#include <NodeMonitor.h>

// <Node.h> at its place in the Storage Kit.
#include <Node.h>

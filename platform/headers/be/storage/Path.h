// <Path.h> at its place in the Storage Kit.
#include <Path.h>

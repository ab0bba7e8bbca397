// <Resources.h> at its place in the Storage Kit.
#include <Resources.h>

// <Statable.h> at its place in the Storage Kit.
#include <Statable.h>

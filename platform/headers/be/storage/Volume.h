// <Volume.h> at its place in the Storage Kit.
#include <Volume.h>

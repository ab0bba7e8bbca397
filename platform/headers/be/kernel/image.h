// <image.h> at its place in the Kernel Kit.
#include <image.h>

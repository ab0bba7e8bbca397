// <Accelerant.h> at its place among the graphics add-ons' headers.
#include <Accelerant.h>

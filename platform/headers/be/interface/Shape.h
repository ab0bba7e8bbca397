// <Shape.h> at its place in the Interface Kit.
#include <Shape.h>

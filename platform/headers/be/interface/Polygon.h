// <Polygon.h> at its place in the Interface Kit.
#include <Polygon.h>

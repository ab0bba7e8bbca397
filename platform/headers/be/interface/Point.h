// <Point.h> at its place in the Interface Kit.
#include <Point.h>

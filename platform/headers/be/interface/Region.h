// <Region.h> at its place in the Interface Kit.
#include <Region.h>

// <Drivers.h> at its place in the Device Kit.
#include <Drivers.h>

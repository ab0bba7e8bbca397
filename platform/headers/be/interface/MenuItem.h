// <MenuItem.h> at its place in the Interface Kit.
#include <MenuItem.h>

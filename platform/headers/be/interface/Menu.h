// <Menu.h> at its place in the Interface Kit.
#include <Menu.h>

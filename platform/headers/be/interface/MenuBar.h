// <MenuBar.h> at its place in the Interface Kit.
#include <MenuBar.h>

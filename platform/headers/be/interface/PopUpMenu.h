// <PopUpMenu.h> at its place in the Interface Kit.
#include <PopUpMenu.h>

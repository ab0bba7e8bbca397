// <Screen.h> at its place in the Interface Kit.
#include <Screen.h>

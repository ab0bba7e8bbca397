// <StatusBar.h> at its place in the Interface Kit.
#include <StatusBar.h>

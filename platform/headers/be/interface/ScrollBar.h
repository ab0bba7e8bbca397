// <ScrollBar.h> at its place in the Interface Kit.
#include <ScrollBar.h>

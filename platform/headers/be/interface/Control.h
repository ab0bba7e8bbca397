// <Control.h> at its place in the Interface Kit.
#include <Control.h>

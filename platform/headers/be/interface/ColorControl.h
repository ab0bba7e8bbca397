// <ColorControl.h> at its place in the Interface Kit.
#include <ColorControl.h>

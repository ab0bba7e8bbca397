// <TextControl.h> at its place in the Interface Kit.
#include <TextControl.h>

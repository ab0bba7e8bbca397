// <CheckBox.h> at its place in the Interface Kit.
#include <CheckBox.h>

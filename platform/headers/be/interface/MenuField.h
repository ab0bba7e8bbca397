// <MenuField.h> at its place in the Interface Kit.
#include <MenuField.h>

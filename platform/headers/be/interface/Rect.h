// <Rect.h> at its place in the Interface Kit.
#include <Rect.h>

// <Picture.h> at its place in the Interface Kit.
#include <Picture.h>

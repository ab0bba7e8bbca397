// <Bitmap.h> at its place in the Interface Kit.
#include <Bitmap.h>

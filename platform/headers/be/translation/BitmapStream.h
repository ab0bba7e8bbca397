// <BitmapStream.h> at its place in the Translation Kit.
#include <BitmapStream.h>

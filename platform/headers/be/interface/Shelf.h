// <Shelf.h> at its place in the Interface Kit.
#include <Shelf.h>

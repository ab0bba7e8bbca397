// <Deskbar.h> at its place in the Interface Kit.
#include <Deskbar.h>

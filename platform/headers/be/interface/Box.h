// <Box.h> at its place in the Interface Kit.
#include <Box.h>

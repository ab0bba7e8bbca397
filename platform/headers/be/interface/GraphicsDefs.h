// <GraphicsDefs.h> at its place in the Interface Kit.
#include <GraphicsDefs.h>

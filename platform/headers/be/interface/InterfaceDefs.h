// <InterfaceDefs.h> at its place in the Interface Kit.
#include <InterfaceDefs.h>

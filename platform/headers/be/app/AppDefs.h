// <AppDefs.h> at its place in the Application Kit.
#include <AppDefs.h>

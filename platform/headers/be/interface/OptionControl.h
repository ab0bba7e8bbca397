// <OptionControl.h> at its place in the Interface Kit.
#include <OptionControl.h>

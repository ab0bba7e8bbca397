// <OptionPopUp.h> at its place in the Interface Kit.
#include <OptionPopUp.h>

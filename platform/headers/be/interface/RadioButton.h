// <RadioButton.h> at its place in the Interface Kit.
#include <RadioButton.h>

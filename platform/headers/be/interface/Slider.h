// <Slider.h> at its place in the Interface Kit.
#include <Slider.h>

// <ChannelSlider.h> at its place in the Interface Kit.
#include <ChannelSlider.h>

// <ChannelControl.h> at its place in the Interface Kit.
#include <ChannelControl.h>

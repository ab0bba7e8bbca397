// <SoundPlayer.h> at its place in the Media Kit.
#include <SoundPlayer.h>

// <VolumeRoster.h> at its place in the Storage Kit.
#include <VolumeRoster.h>

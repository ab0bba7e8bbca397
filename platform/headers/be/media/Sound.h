// <Sound.h> at its place in the Media Kit.
#include <Sound.h>

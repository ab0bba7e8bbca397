// <Window.h> at its place in the Interface Kit.
#include <Window.h>

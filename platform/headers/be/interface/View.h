// <View.h> at its place in the Interface Kit.
#include <View.h>

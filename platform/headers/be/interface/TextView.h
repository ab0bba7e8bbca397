// <TextView.h> at its place in the Interface Kit.
#include <TextView.h>

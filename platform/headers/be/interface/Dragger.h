// <Dragger.h> at its place in the Interface Kit.
#include <Dragger.h>

// <ListView.h> at its place in the Interface Kit.
#include <ListView.h>

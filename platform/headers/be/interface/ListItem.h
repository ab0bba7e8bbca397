// <ListItem.h> at its place in the Interface Kit.
#include <ListItem.h>

// <List.h> at its place in the Support Kit.
#include <List.h>

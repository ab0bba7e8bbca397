// <DataIO.h> at its place in the Support Kit.
#include <DataIO.h>

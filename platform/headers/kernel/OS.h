// <OS.h> by the path older sources use.
#include <OS.h>

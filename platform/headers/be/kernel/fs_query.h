// <fs_query.h> at its place in the Kernel Kit.
#include <fs_query.h>

// <fs_index.h> at its place in the Kernel Kit.
#include <fs_index.h>

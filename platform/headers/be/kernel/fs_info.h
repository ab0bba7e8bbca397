// <fs_info.h> at its place in the Kernel Kit.
#include <fs_info.h>

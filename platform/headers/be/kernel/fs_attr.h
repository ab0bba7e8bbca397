// <fs_attr.h> at its place in the Kernel Kit.
#include <fs_attr.h>

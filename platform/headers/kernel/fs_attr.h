// <fs_attr.h> by the path older sources use.
#include <fs_attr.h>

// <StorageDefs.h> at its place in the Storage Kit.
#include <StorageDefs.h>

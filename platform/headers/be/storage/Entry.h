// <Entry.h> at its place in the Storage Kit.
#include <Entry.h>

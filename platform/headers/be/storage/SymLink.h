// <SymLink.h> at its place in the Storage Kit.
#include <SymLink.h>

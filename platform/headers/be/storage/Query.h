// <Query.h> at its place in the Storage Kit.
#include <Query.h>

// <MediaDefs.h> at its place in the Media Kit.
#include <MediaDefs.h>

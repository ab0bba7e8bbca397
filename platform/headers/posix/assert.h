// <assert.h> by the path under posix/ that the platform gave the C library's headers.
#include <assert.h>

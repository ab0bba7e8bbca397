// <pair.h>, the older name of the platform's <utility>: its names in the global namespace.
#include <utility>

// <set.h>, the older name of the platform's <set>: its names in the global namespace.
#include <set>

// <vector.h>, the older name of the platform's <vector>: its names in the global namespace.
#include <vector>

// <map.h>, the older name of the platform's <map>: its names in the global namespace.
#include <map>

// <list.h>, the older name of the platform's <list>: its names in the global namespace.
#include <list>

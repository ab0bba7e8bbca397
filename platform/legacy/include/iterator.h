// <iterator.h>, the older name of the platform's <iterator>: its names in the global namespace.
#include <iterator>

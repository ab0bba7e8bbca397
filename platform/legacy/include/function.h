// <function.h>, the older name of the platform's <functional>: its names in the global namespace.
#include <functional>

// <strstream.h>, the older name of the platform's <strstream>: its names in the global namespace.
#include <strstream>

// <fstream.h>, the older name of the platform's <fstream>: its names in the global namespace.
#include <fstream>

// <iostream.h>, the older name of the platform's <iostream>: its names in the global namespace.
#include <iostream>

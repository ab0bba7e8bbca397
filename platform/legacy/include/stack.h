// <stack.h>, the older name of the platform's <stack>: its names in the global namespace.
#include <stack>

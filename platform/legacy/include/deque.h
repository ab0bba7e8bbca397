// <deque.h>, the older name of the platform's <deque>: its names in the global namespace.
#include <deque>

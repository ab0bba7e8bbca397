// <MessageFilter.h> at its place in the Application Kit.
#include <MessageFilter.h>

// <Handler.h> at its place in the Application Kit.
#include <Handler.h>

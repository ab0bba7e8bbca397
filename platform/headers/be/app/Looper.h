// <Looper.h> at its place in the Application Kit.
#include <Looper.h>

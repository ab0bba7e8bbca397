// <Invoker.h> at its place in the Application Kit.
#include <Invoker.h>

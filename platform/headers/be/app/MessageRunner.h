// <MessageRunner.h> at its place in the Application Kit.
#include <MessageRunner.h>

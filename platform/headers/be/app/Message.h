// <Message.h> at its place in the Application Kit.
#include <Message.h>

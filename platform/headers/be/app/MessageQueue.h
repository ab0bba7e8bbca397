// <MessageQueue.h> at its place in the Application Kit.
#include <MessageQueue.h>

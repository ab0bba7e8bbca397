// <Messenger.h> at its place in the Application Kit.
#include <Messenger.h>

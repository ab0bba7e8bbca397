// <Clipboard.h> at its place in the Application Kit.
#include <Clipboard.h>

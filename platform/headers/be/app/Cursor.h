// <Cursor.h> at its place in the Application Kit.
#include <Cursor.h>

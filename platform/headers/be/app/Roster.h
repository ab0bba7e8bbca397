// <Roster.h> at its place in the Application Kit.
#include <Roster.h>

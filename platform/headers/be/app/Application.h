// <Application.h> at its place in the Application Kit.
#include <Application.h>

// <PropertyInfo.h> at its place in the Application Kit.
#include <PropertyInfo.h>

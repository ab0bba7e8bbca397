// <graphic_driver.h> at its place beside the drivers' codes.
#include <graphic_driver.h>

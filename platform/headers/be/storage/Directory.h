// <Directory.h> at its place in the Storage Kit.
#include <Directory.h>

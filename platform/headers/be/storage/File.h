// <File.h> at its place in the Storage Kit.
#include <File.h>

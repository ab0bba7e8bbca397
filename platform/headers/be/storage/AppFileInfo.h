// <AppFileInfo.h> at its place in the Storage Kit.
#include <AppFileInfo.h>

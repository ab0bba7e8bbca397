// <Mime.h> at its place in the Storage Kit.
#include <Mime.h>

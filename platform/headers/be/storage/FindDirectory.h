// <FindDirectory.h> at its place in the Storage Kit.
#include <FindDirectory.h>

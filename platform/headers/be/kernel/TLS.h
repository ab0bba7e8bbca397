// <TLS.h> at its place in the Kernel Kit.
#include <TLS.h>

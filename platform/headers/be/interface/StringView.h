// <StringView.h> at its place in the Interface Kit.
#include <StringView.h>

// <Font.h> at its place in the Interface Kit.
#include <Font.h>

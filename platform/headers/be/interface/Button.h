// <Button.h> at its place in the Interface Kit.
#include <Button.h>

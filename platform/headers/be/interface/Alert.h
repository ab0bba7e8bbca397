// <Alert.h> at its place in the Interface Kit.
#include <Alert.h>

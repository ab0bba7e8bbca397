// <ScrollView.h> at its place in the Interface Kit.
#include <ScrollView.h>

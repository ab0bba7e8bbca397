// <TabView.h> at its place in the Interface Kit.
#include <TabView.h>

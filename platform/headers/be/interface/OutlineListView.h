// <OutlineListView.h> at its place in the Interface Kit.
#include <OutlineListView.h>

// <EntryList.h> at its place in the Storage Kit.
#include <EntryList.h>

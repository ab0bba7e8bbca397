// <TranslationDefs.h> at its place in the Translation Kit.
#include <TranslationDefs.h>

// <TranslationErrors.h> at its place in the Translation Kit.
#include <TranslationErrors.h>

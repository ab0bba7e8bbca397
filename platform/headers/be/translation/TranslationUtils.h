// <TranslationUtils.h> at its place in the Translation Kit.
#include <TranslationUtils.h>

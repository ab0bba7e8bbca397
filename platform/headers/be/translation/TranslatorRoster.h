// <TranslatorRoster.h> at its place in the Translation Kit.
#include <TranslatorRoster.h>

// <TranslatorFormats.h> at its place in the Translation Kit.
#include <TranslatorFormats.h>

// <Translator.h> at its place in the Translation Kit.
#include <Translator.h>

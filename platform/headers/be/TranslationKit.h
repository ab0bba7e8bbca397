// <TranslationKit.h> at its place in the platform's header tree.
#include <TranslationKit.h>

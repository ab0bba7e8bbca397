// <TranslatorAddOn.h> at its place in the Translation Kit.
#include <TranslatorAddOn.h>

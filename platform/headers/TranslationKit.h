// Everything of the Translation Kit, for applications that include it whole.
#ifndef _TRANSLATION_KIT_H
#define _TRANSLATION_KIT_H

#include <BitmapStream.h>
#include <TranslationDefs.h>
#include <TranslationErrors.h>
#include <TranslationUtils.h>
#include <Translator.h>
#include <TranslatorFormats.h>
#include <TranslatorRoster.h>

#endif // _TRANSLATION_KIT_H

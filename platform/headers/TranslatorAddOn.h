// What a translator add-on exports, by these names: a shared object in a translators folder
// that BTranslatorRoster::AddTranslators loads. translatorName, translatorInfo,
// translatorVersion, Identify and Translate are required; the format lists (each ended by
// an entry of type 0), MakeConfig and GetConfigMessage are optional. The functions mean
// what BTranslator's members of the same kind mean.
#ifndef _TRANSLATOR_ADD_ON_H
#define _TRANSLATOR_ADD_ON_H

#include <TranslationDefs.h>
#include <TranslatorFormats.h>

class BMessage;
class BPositionIO;
class BView;

extern "C" {

_EXPORT extern char					translatorName[];
_EXPORT extern char					translatorInfo[];
_EXPORT extern int32				translatorVersion;

_EXPORT extern translation_format	inputFormats[];
_EXPORT extern translation_format	outputFormats[];

_EXPORT status_t	Identify(BPositionIO* inSource, const translation_format* inFormat,
						BMessage* ioExtension, translator_info* outInfo, uint32 outType);
_EXPORT status_t	Translate(BPositionIO* inSource, const translator_info* inInfo,
						BMessage* ioExtension, uint32 outType, BPositionIO* outDestination);
_EXPORT status_t	MakeConfig(BMessage* ioExtension, BView** outView, BRect* outExtent);
_EXPORT status_t	GetConfigMessage(BMessage* ioExtension);

}

#endif // _TRANSLATOR_ADD_ON_H

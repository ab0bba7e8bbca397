#include "translation/AddOnTranslator.h"

#include <TranslationErrors.h>

namespace BPrivate {

namespace {

// The formats of a list that ends at an entry of type 0. An add-on's list that never ends
// would run on past its array, so the count stops at a cap.
const int32 kMaxAddOnFormats = 1024;


int32
count_formats(const translation_format* formats)
{
	if (formats == NULL)
		return 0;
	int32 count = 0;
	while (count < kMaxAddOnFormats && formats[count].type != 0)
		count++;
	return count;
}

} // namespace


AddOnTranslator::AddOnTranslator()
	:
	fName(NULL),
	fInfo(NULL),
	fVersion(0),
	fInputFormats(NULL),
	fInputCount(0),
	fOutputFormats(NULL),
	fOutputCount(0),
	fIdentify(NULL),
	fTranslate(NULL),
	fMakeConfig(NULL),
	fGetConfig(NULL)
{
}


AddOnTranslator*
AddOnTranslator::Load(const char* path, status_t* status)
{
	AddOnTranslator* translator = new AddOnTranslator;
	*status = translator->fImage.Load(path);
	if (*status == B_OK)
		*status = translator->fPath.SetTo(path);
	if (*status != B_OK) {
		translator->Release();
		return NULL;
	}
	const AddOnImage& image = translator->fImage;
	translator->fName = (const char*)image.Symbol("translatorName");
	translator->fInfo = (const char*)image.Symbol("translatorInfo");
	const int32* version = (const int32*)image.Symbol("translatorVersion");
	translator->fIdentify = (identify_hook)image.Symbol("Identify");
	translator->fTranslate = (translate_hook)image.Symbol("Translate");
	if (translator->fName == NULL || translator->fInfo == NULL || version == NULL
		|| translator->fIdentify == NULL || translator->fTranslate == NULL) {
		translator->Release();
		*status = B_NO_TRANSLATOR;
		return NULL;
	}
	translator->fVersion = *version;
	translator->fInputFormats = (const translation_format*)image.Symbol("inputFormats");
	translator->fInputCount = count_formats(translator->fInputFormats);
	translator->fOutputFormats = (const translation_format*)image.Symbol("outputFormats");
	translator->fOutputCount = count_formats(translator->fOutputFormats);
	translator->fMakeConfig = (make_config_hook)image.Symbol("MakeConfig");
	translator->fGetConfig = (get_config_hook)image.Symbol("GetConfigMessage");
	return translator;
}


const char*
AddOnTranslator::TranslatorName() const
{
	return fName;
}


const char*
AddOnTranslator::TranslatorInfo() const
{
	return fInfo;
}


int32
AddOnTranslator::TranslatorVersion() const
{
	return fVersion;
}


const translation_format*
AddOnTranslator::InputFormats(int32* _count) const
{
	if (_count != NULL)
		*_count = fInputCount;
	return fInputFormats;
}


const translation_format*
AddOnTranslator::OutputFormats(int32* _count) const
{
	if (_count != NULL)
		*_count = fOutputCount;
	return fOutputFormats;
}


status_t
AddOnTranslator::Identify(BPositionIO* source, const translation_format* format,
	BMessage* extension, translator_info* info, uint32 outType)
{
	return fIdentify(source, format, extension, info, outType);
}


status_t
AddOnTranslator::Translate(BPositionIO* source, const translator_info* info,
	BMessage* extension, uint32 outType, BPositionIO* destination)
{
	return fTranslate(source, info, extension, outType, destination);
}


status_t
AddOnTranslator::MakeConfigurationView(BMessage* extension, BView** _view, BRect* _extent)
{
	if (fMakeConfig == NULL)
		return B_ERROR;
	return fMakeConfig(extension, _view, _extent);
}


status_t
AddOnTranslator::GetConfigurationMessage(BMessage* extension)
{
	if (fGetConfig == NULL)
		return B_ERROR;
	return fGetConfig(extension);
}

} // namespace BPrivate

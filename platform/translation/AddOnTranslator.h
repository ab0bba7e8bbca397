// A translator add-on seen as a BTranslator: its exported functions and data behind the
// class's members.
#ifndef _ADD_ON_TRANSLATOR_H
#define _ADD_ON_TRANSLATOR_H

#include <Path.h>
#include <Translator.h>

#include "translation/AddOnImage.h"

namespace BPrivate {

class AddOnTranslator : public BTranslator {
public:
	// NULL, with *status set, when path is no translator add-on (it lacks a required
	// symbol or does not load).
	static	AddOnTranslator*	Load(const char* path, status_t* status);

	virtual	const char*			TranslatorName() const;
	virtual	const char*			TranslatorInfo() const;
	virtual	int32				TranslatorVersion() const;
	virtual	const translation_format* InputFormats(int32* _count) const;
	virtual	const translation_format* OutputFormats(int32* _count) const;
	virtual	status_t			Identify(BPositionIO* source,
									const translation_format* format, BMessage* extension,
									translator_info* info, uint32 outType);
	virtual	status_t			Translate(BPositionIO* source, const translator_info* info,
									BMessage* extension, uint32 outType,
									BPositionIO* destination);
	virtual	status_t			MakeConfigurationView(BMessage* extension, BView** _view,
									BRect* _extent);
	virtual	status_t			GetConfigurationMessage(BMessage* extension);

			const char*			Path() const { return fPath.Path(); }

private:
	typedef status_t (*identify_hook)(BPositionIO*, const translation_format*, BMessage*,
		translator_info*, uint32);
	typedef status_t (*translate_hook)(BPositionIO*, const translator_info*, BMessage*,
		uint32, BPositionIO*);
	typedef status_t (*make_config_hook)(BMessage*, BView**, BRect*);
	typedef status_t (*get_config_hook)(BMessage*);

								AddOnTranslator();

			AddOnImage			fImage;
			BPath				fPath;
			const char*			fName;
			const char*			fInfo;
			int32				fVersion;
			const translation_format* fInputFormats;
			int32				fInputCount;
			const translation_format* fOutputFormats;
			int32				fOutputCount;
			identify_hook		fIdentify;
			translate_hook		fTranslate;
			make_config_hook	fMakeConfig;
			get_config_hook		fGetConfig;
};

} // namespace BPrivate

#endif // _ADD_ON_TRANSLATOR_H

// The base of translators that live in the application (the roster also wraps each
// translator add-on in one). A translator is reference counted: whoever keeps a pointer to
// one Acquire()s it and Release()s it when done; the last Release deletes it, which is why
// the destructor is protected. Identify and Translate may be called from several threads
// at once.
#ifndef _TRANSLATOR_H
#define _TRANSLATOR_H

#include <Archivable.h>
#include <TranslationDefs.h>
#include <TranslatorFormats.h>

class BPositionIO;
class BView;

class BTranslator : public BArchivable {
public:
								BTranslator();

	// Adds a reference and returns this translator.
			BTranslator*		Acquire();
	// Drops a reference; returns NULL once that was the last one (the translator is then
	// deleted), else this translator.
			BTranslator*		Release();
			int32				ReferenceCount();

	virtual	const char*			TranslatorName() const = 0;
	virtual	const char*			TranslatorInfo() const = 0;
	virtual	int32				TranslatorVersion() const = 0;

	// The formats read and written; the arrays stay owned by the translator.
	virtual	const translation_format* InputFormats(int32* _count) const = 0;
	virtual	const translation_format* OutputFormats(int32* _count) const = 0;

	// B_OK and info filled in when the translator reads source (at its current position)
	// and can make outType of it (0: the translator's choice); B_NO_TRANSLATOR otherwise.
	// format is the caller's guess at the format, or NULL.
	virtual	status_t			Identify(BPositionIO* source,
									const translation_format* format, BMessage* extension,
									translator_info* info, uint32 outType) = 0;
	virtual	status_t			Translate(BPositionIO* source, const translator_info* info,
									BMessage* extension, uint32 outType,
									BPositionIO* destination) = 0;

	// A view that sets the translator's options, and the options as a message. A
	// translator without options keeps these, which answer B_ERROR.
	virtual	status_t			MakeConfigurationView(BMessage* extension, BView** _view,
									BRect* _extent);
	virtual	status_t			GetConfigurationMessage(BMessage* extension);

protected:
	virtual						~BTranslator();

private:
								BTranslator(const BTranslator&);
			BTranslator&		operator=(const BTranslator&);

			vint32				fRefCount;
};

#endif // _TRANSLATOR_H

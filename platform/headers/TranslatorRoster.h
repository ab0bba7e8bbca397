// The translators an application may use, and the calls that pick one for some data and run
// it. Default() is the application's roster: the kit's own translators (PNG, JPEG, GIF,
// BMP, PPM and styled text) and the add-ons of the translators directories. A roster is
// locked inside each call and may be used from several threads.
#ifndef _TRANSLATOR_ROSTER_H
#define _TRANSLATOR_ROSTER_H

#include <Archivable.h>
#include <Entry.h>
#include <TranslationDefs.h>
#include <TranslatorFormats.h>

class BPositionIO;
class BTranslator;
class BView;

namespace BPrivate {
class TranslatorList;
}

class BTranslatorRoster : public BArchivable {
public:
	// An empty roster; AddTranslators fills it.
								BTranslatorRoster();
	// A roster with the add-ons an archive named ("be:translator_path").
	explicit					BTranslatorRoster(BMessage* model);
	virtual						~BTranslatorRoster();

	virtual	status_t			Archive(BMessage* into, bool deep = true) const;
	static	BArchivable*		Instantiate(BMessage* from);

	// The kit's version as text, with its current and oldest supported numbers.
	static	const char*			Version(int32* outCurVersion, int32* outMinVersion,
									int32 inAppVersion = B_TRANSLATION_CURRENT_VERSION);

	// The application's roster, made on first use; never delete it.
	static	BTranslatorRoster*	Default();

	// Loads the add-ons of the folders (or files) of loadPath, a colon-separated list;
	// NULL means the TRANSLATORS environment variable, else the user's, the site's and
	// the kit's translators folders. B_OK when at least one was loaded or none was found;
	// an add-on that fails to load is skipped.
	virtual	status_t			AddTranslators(const char* loadPath = NULL);
	// Adds a translator made by the application; the roster acquires a reference.
	virtual	status_t			AddTranslator(BTranslator* translator);

	// The best translator for the data at source's position (hints: the data's type or
	// MIME type; wantType: the type wanted out of it, 0 for any).
	virtual	status_t			Identify(BPositionIO* source, BMessage* ioExtension,
									translator_info* outInfo, uint32 inHintType = 0,
									const char* inHintMIME = NULL, uint32 inWantType = 0);
	// Every translator that takes the data, best first; outInfo is the caller's to
	// delete[].
	virtual	status_t			GetTranslators(BPositionIO* source, BMessage* ioExtension,
									translator_info** outInfo, int32* outNumInfo,
									uint32 inHintType = 0, const char* inHintMIME = NULL,
									uint32 inWantType = 0);
	// Every translator's id; outList is the caller's to delete[].
	virtual	status_t			GetAllTranslators(translator_id** outList, int32* outCount);

	// The strings and arrays returned stay owned by the roster.
	virtual	status_t			GetTranslatorInfo(translator_id translator,
									const char** outName, const char** outInfo,
									int32* outVersion);
	virtual	status_t			GetInputFormats(translator_id translator,
									const translation_format** outFormats,
									int32* outNumFormats);
	virtual	status_t			GetOutputFormats(translator_id translator,
									const translation_format** outFormats,
									int32* outNumFormats);

	// Translates the data at source's position into wantOutType on destination; with
	// info NULL, Identify picks the translator first.
	virtual	status_t			Translate(BPositionIO* source, const translator_info* info,
									BMessage* ioExtension, BPositionIO* destination,
									uint32 wantOutType, uint32 inHintType = 0,
									const char* inHintMIME = NULL);
	virtual	status_t			Translate(translator_id translator, BPositionIO* source,
									BMessage* ioExtension, BPositionIO* destination,
									uint32 wantOutType);

	virtual	status_t			MakeConfigurationView(translator_id translator,
									BMessage* ioExtension, BView** outView,
									BRect* outExtent);
	virtual	status_t			GetConfigurationMessage(translator_id translator,
									BMessage* ioExtension);
	// The add-on file a translator came from; B_BAD_VALUE for one the application added.
			status_t			GetRefFor(translator_id translator, entry_ref* outRef);

private:
								BTranslatorRoster(const BTranslatorRoster&);
			BTranslatorRoster&	operator=(const BTranslatorRoster&);

			BPrivate::TranslatorList* fList;
};

#endif // _TRANSLATOR_ROSTER_H

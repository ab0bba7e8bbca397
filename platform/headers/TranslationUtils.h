// Shortcuts over the default roster: bitmaps from resources, files and streams, and menus
// of the formats data can be saved as. Every call that returns a new object hands it to
// the caller, who deletes it; NULL when nothing could be made.
#ifndef _TRANSLATION_UTILS_H
#define _TRANSLATION_UTILS_H

#include <Entry.h>
#include <TranslationDefs.h>

class BBitmap;
class BFile;
class BMenu;
class BMessage;
class BPositionIO;
class BTextView;
class BTranslatorRoster;

class BTranslationUtils {
public:
	// A resource of the application named name (of type B_TRANSLATOR_BITMAP, else of any
	// type), else the file at the path name.
	static	BBitmap*			GetBitmap(const char* name, BTranslatorRoster* use = NULL);
	// A resource of the application.
	static	BBitmap*			GetBitmap(uint32 type, int32 id,
									BTranslatorRoster* use = NULL);
	static	BBitmap*			GetBitmap(uint32 type, const char* name,
									BTranslatorRoster* use = NULL);
	// A file, by path or reference.
	static	BBitmap*			GetBitmapFile(const char* name,
									BTranslatorRoster* use = NULL);
	static	BBitmap*			GetBitmap(const entry_ref* ref,
									BTranslatorRoster* use = NULL);
	// The data at stream's position.
	static	BBitmap*			GetBitmap(BPositionIO* stream,
									BTranslatorRoster* use = NULL);

	// A translator's settings as its GetConfigurationMessage gives them.
	static	BMessage*			GetDefaultSettings(translator_id translator,
									BTranslatorRoster* use = NULL);
	// The same for the translator of that name and version in the default roster.
	static	BMessage*			GetDefaultSettings(const char* translatorName,
									int32 version);

	// Styled text: what a translator reads from fromStream as B_STYLED_TEXT_FORMAT,
	// inserted in intoView in place of its selection with the stream's styles (else, for a
	// file written by WriteStyledEditFile, its "styles" attribute). The caller locks the
	// view's window.
	static	status_t			GetStyledText(BPositionIO* fromStream, BTextView* intoView,
									BTranslatorRoster* use = NULL);
	// The view's text and runs as a styled text stream (a text and a style record).
	static	status_t			PutStyledText(BTextView* fromView, BPositionIO* intoStream,
									BTranslatorRoster* use = NULL);
	// The file as StyledEdit keeps it: the plain text, its type "text/plain" and the
	// attributes "styles" (the flattened runs), "alignment" and "wrap".
	static	status_t			WriteStyledEditFile(BTextView* fromView, BFile* intoFile);

	enum {
		B_TRANSLATION_MENU = 'BTMN'
	};

	// Adds to intoMenu one item per format a translator writes from fromType (a group),
	// its message a copy of model (else B_TRANSLATION_MENU) with the translator's id and
	// the format's type in the int32 fields translatorIdName ("be:translator") and
	// translatorTypeName ("be:type").
	static	status_t			AddTranslationItems(BMenu* intoMenu, uint32 fromType,
									const BMessage* model = NULL,
									const char* translatorIdName = NULL,
									const char* translatorTypeName = NULL,
									BTranslatorRoster* use = NULL);
};

#endif // _TRANSLATION_UTILS_H

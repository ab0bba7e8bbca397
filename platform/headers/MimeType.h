// MIME types: checking their form, and the user's database of installed types with their
// descriptions, file extensions, icons, preferred and supporting applications. The database
// lives under the user's data directory (docs/mime-database.md); types compare without
// regard to case.
#ifndef _MIME_TYPE_H
#define _MIME_TYPE_H

#include <Messenger.h>
#include <Mime.h>

class BBitmap;

// What a B_META_MIME_CHANGED notice says changed, in its "be:which" field.
enum {
	B_ICON_CHANGED				= 0x00000001,
	B_PREFERRED_APP_CHANGED		= 0x00000002,
	B_ATTR_INFO_CHANGED			= 0x00000004,
	B_FILE_EXTENSIONS_CHANGED	= 0x00000008,
	B_SHORT_DESCRIPTION_CHANGED	= 0x00000010,
	B_LONG_DESCRIPTION_CHANGED	= 0x00000020,
	B_ICON_FOR_TYPE_CHANGED		= 0x00000040,
	B_APP_HINT_CHANGED			= 0x00000080,
	B_MIME_TYPE_CREATED			= 0x00000100,
	B_MIME_TYPE_DELETED			= 0x00000200,
	B_SNIFFER_RULE_CHANGED		= 0x00000400,
	B_SUPPORTED_TYPES_CHANGED	= 0x00000800,
	B_EVERYTHING_CHANGED		= (int)0xFFFFFFFF
};

// The "be:action" of a B_META_MIME_CHANGED notice.
enum {
	B_META_MIME_MODIFIED	= 'MMCH',
	B_META_MIME_DELETED		= 'MMDL'
};

class BMimeType {
public:
								BMimeType();
								BMimeType(const char* type);
	virtual						~BMimeType();

	// B_BAD_VALUE when type is not a valid MIME type.
			status_t			SetTo(const char* type);
			status_t			SetType(const char* type);
			void				Unset();
			status_t			InitCheck() const;

			const char*			Type() const;
			bool				IsValid() const;
			bool				IsSupertypeOnly() const;
			status_t			GetSupertype(BMimeType* supertype) const;
	// True when type is this type, or this is its supertype.
			bool				Contains(const BMimeType* type) const;

			bool				operator==(const BMimeType& type) const;
			bool				operator==(const char* type) const;

	// The database. Setting anything installs the type (and its supertype); Delete removes
	// its record (a supertype's subtypes stay).
			bool				IsInstalled() const;
			status_t			Install();
			status_t			Delete();

	// signature holds B_MIME_TYPE_LENGTH bytes; B_ENTRY_NOT_FOUND when none is set.
			status_t			GetPreferredApp(char* signature, app_verb verb = B_OPEN) const;
			status_t			SetPreferredApp(const char* signature, app_verb verb = B_OPEN);
	// description holds B_MIME_TYPE_LENGTH bytes; descriptions are shorter than that.
			status_t			GetShortDescription(char* description) const;
			status_t			SetShortDescription(const char* description);
			status_t			GetLongDescription(char* description) const;
			status_t			SetLongDescription(const char* description);
	// Extensions travel as the strings of B_MIME_EXTENSIONS_FIELD ("extensions").
			status_t			GetFileExtensions(BMessage* extensions) const;
			status_t			SetFileExtensions(const BMessage* extensions);

	// Where the preferred application is when the roster does not know it; NULL
	// forgets it.
			status_t			GetAppHint(entry_ref* ref) const;
			status_t			SetAppHint(const entry_ref* ref);
	// Icons are B_CMAP8 pixels of the system palette; icon is a bitmap of which x which
	// pixels in any colour space the kit converts. Setting NULL removes the icon.
			status_t			GetIcon(BBitmap* icon, icon_size which) const;
			status_t			SetIcon(const BBitmap* icon, icon_size which);
	// The vector form of the icon, as its bytes: *data is allocated with new[] and the
	// caller deletes it with delete[]. Setting NULL removes it.
			status_t			GetIcon(uint8** data, size_t* size) const;
			status_t			SetIcon(const uint8* data, size_t size);
	// The icon this application type shows for files of type.
			status_t			GetIconForType(const char* type, BBitmap* icon,
									icon_size which) const;
			status_t			SetIconForType(const char* type, const BBitmap* icon,
									icon_size which);

	// The signatures of the installed applications that support this type, as the
	// strings of "applications": first those naming the type itself (their count in the
	// int32 "be:sub"), then those naming its supertype ("be:super"). An application says
	// what it supports with BAppFileInfo::SetSupportedTypes.
			status_t			GetSupportingApps(BMessage* signatures) const;
	// Of an application's signature type: the types it supports, as the strings of
	// "types". Setting replaces them; NULL forgets them.
			status_t			GetSupportedTypes(BMessage* types) const;
			status_t			SetSupportedTypes(const BMessage* types,
									bool fullSync = true);

	// The attributes files of this type carry, as the platform describes them
	// ("attr:name", "attr:public_name", "attr:type", ... one item per attribute).
			status_t			GetAttrInfo(BMessage* info) const;
			status_t			SetAttrInfo(const BMessage* info);

	// The type of a file from its contents (libmagic), of a buffer of bytes, or of a
	// name from the extensions of the installed types (B_FILE_MIME_TYPE when none
	// fits). Directories and links get the platform's types of their kinds.
	static	status_t			GuessMimeType(const entry_ref* file, BMimeType* type);
	static	status_t			GuessMimeType(const void* buffer, int32 length,
									BMimeType* type);
	static	status_t			GuessMimeType(const char* filename, BMimeType* type);

	static	bool				IsValid(const char* type);
	// Installed supertypes as the strings of "super_types"; installed types (of one
	// supertype, or all of them) as the strings of "types".
	static	status_t			GetInstalledSupertypes(BMessage* supertypes);
	static	status_t			GetInstalledTypes(BMessage* types);
	static	status_t			GetInstalledTypes(const char* supertype, BMessage* subtypes);
	// The applications that handle any type at all (those supporting B_FILE_MIME_TYPE), as
	// GetSupportingApps gives them.
	static	status_t			GetWildcardApps(BMessage* wildcardApps);

	// Sends target a B_META_MIME_CHANGED message for each change to the database, made by
	// any process: "be:type" (the type), "be:which" (what changed), "be:action"
	// (B_META_MIME_MODIFIED or B_META_MIME_DELETED), and for icons "be:large_icon" and
	// "be:extra_type" (the type of an icon for a type). A target is added once.
	static	status_t			StartWatching(BMessenger target);
	static	status_t			StopWatching(BMessenger target);

private:
								BMimeType(const BMimeType&);
			BMimeType&			operator=(const BMimeType&);

			status_t			_ReadRecord(BMessage* record) const;
			status_t			_WriteRecord(const BMessage* record);
			status_t			_GetString(const char* field, char* value) const;
			status_t			_SetString(const char* field, const char* value);
			status_t			_GetIcon(const char* field, BBitmap* icon,
									icon_size which) const;
			status_t			_SetIcon(const char* field, const BBitmap* icon,
									icon_size which);

			char*				fType;
			status_t			fCStatus;
};

#endif // _MIME_TYPE_H

// MIME types: checking their form, and the user's database of installed types with their
// descriptions, file extensions and preferred applications. The database lives under the
// user's data directory (docs/mime-database.md); types compare without regard to case.
#ifndef _MIME_H
#define _MIME_H

#include <Message.h>
#include <StorageDefs.h>
#include <SupportDefs.h>

enum icon_size {
	B_LARGE_ICON = 32,
	B_MINI_ICON = 16
};

enum app_verb {
	B_OPEN
};

extern const char* const B_APP_MIME_TYPE;
extern const char* const B_PEF_APP_MIME_TYPE;
extern const char* const B_PE_APP_MIME_TYPE;
extern const char* const B_ELF_APP_MIME_TYPE;
extern const char* const B_RESOURCE_MIME_TYPE;
extern const char* const B_FILE_MIME_TYPE;
extern const char* const B_DIRECTORY_MIME_TYPE;
extern const char* const B_SYMLINK_MIME_TYPE;
extern const char* const B_VOLUME_MIME_TYPE;
extern const char* const B_QUERY_MIME_TYPE;

// Field names of what BMimeType hands out in messages.
#define B_MIME_TYPES_FIELD			"types"
#define B_MIME_SUPERTYPES_FIELD		"super_types"
#define B_MIME_EXTENSIONS_FIELD		"extensions"

struct entry_ref;

// Sets the BEOS:TYPE attribute of the file at path (and, with recursive, of what a
// directory holds) from its guessed type; force replaces a type already set.
// synchronous is accepted for the platform's sake: the work is always done before it
// returns. B_OK, or the first error.
int update_mime_info(const char* path, int recursive, int synchronous, int force);
// Installs the signature type of each application at path (recursively into a
// directory with recursive), with the application as its app hint.
status_t create_app_meta_mime(const char* path, int recursive, int synchronous, int force);

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

private:
								BMimeType(const BMimeType&);
			BMimeType&			operator=(const BMimeType&);

			status_t			_ReadRecord(BMessage* record) const;
			status_t			_WriteRecord(const BMessage* record);
			status_t			_GetString(const char* field, char* value) const;
			status_t			_SetString(const char* field, const char* value);

			char*				fType;
			status_t			fCStatus;
};

#endif // _MIME_H

// What an application's executable says about it: its type, signature, launch flags,
// supported types, icons and version records, kept in the file's attributes, its resources
// or both, under the same names (docs/node-attributes.md).
#ifndef _APP_FILE_INFO_H
#define _APP_FILE_INFO_H

#include <Mime.h>
#include <NodeInfo.h>

class BBitmap;
class BFile;
class BResources;

enum version_kind {
	B_APP_VERSION_KIND,
	B_SYSTEM_VERSION_KIND
};

// The variety of a version record.
enum {
	B_DEVELOPMENT_VERSION = 0,
	B_ALPHA_VERSION,
	B_BETA_VERSION,
	B_GAMMA_VERSION,
	B_GOLDEN_MASTER_VERSION,
	B_FINAL_VERSION
};

struct version_info {
	uint32	major;
	uint32	middle;
	uint32	minor;
	uint32	variety;
	uint32	internal;
	char	short_info[64];
	char	long_info[256];
};

// Where BAppFileInfo reads and writes: reading tries the attributes first, writing
// writes each location in use.
enum info_location {
	B_USE_ATTRIBUTES		= 0x1,
	B_USE_RESOURCES			= 0x2,
	B_USE_BOTH_LOCATIONS	= 0x3
};

class BAppFileInfo : public BNodeInfo {
public:
								BAppFileInfo();
								BAppFileInfo(BFile* file);
	virtual						~BAppFileInfo();

	// The file stays the caller's and must outlive this object; writing needs it open for
	// writing. A file without resources is used through its attributes alone until a
	// resource is written to it, which an empty file or an executable accepts.
			status_t			SetTo(BFile* file);

	// type holds B_MIME_TYPE_LENGTH bytes. B_ENTRY_NOT_FOUND when the file carries no such
	// record, B_BAD_DATA when the record is malformed.
	virtual	status_t			GetType(char* type) const;
	virtual	status_t			SetType(const char* type);
			status_t			GetSignature(char* signature) const;
			status_t			SetSignature(const char* signature);
			status_t			GetAppFlags(uint32* flags) const;
			status_t			SetAppFlags(uint32 flags);

	// Types travel as the strings of "types". Setting them with updateMimeDB (the
	// default) also records them for the application's signature in the MIME database,
	// where BMimeType::GetSupportingApps finds them; syncAll is the platform's and has
	// nothing left to do here (the database reads them when asked).
			status_t			GetSupportedTypes(BMessage* types) const;
			status_t			SetSupportedTypes(const BMessage* types,
									bool updateMimeDB, bool syncAll);
			status_t			SetSupportedTypes(const BMessage* types, bool syncAll);
			status_t			SetSupportedTypes(const BMessage* types);
	// True for a type listed, for one whose supertype is listed, and for anything when
	// B_FILE_MIME_TYPE is listed.
			bool				IsSupportedType(const char* type) const;
	// True only for a type listed as it is.
			bool				Supports(BMimeType* type) const;

	// Icons as BNodeInfo's, kept in this object's locations; the vector form as BMimeType's
	// (*data allocated with new[], deleted by the caller with delete[]).
	virtual	status_t			GetIcon(BBitmap* icon, icon_size which = B_LARGE_ICON) const;
	virtual	status_t			SetIcon(const BBitmap* icon, icon_size which = B_LARGE_ICON);
			status_t			GetIcon(uint8** data, size_t* size) const;
			status_t			SetIcon(const uint8* data, size_t size);
	// The icon the application shows for files of type.
			status_t			GetIconForType(const char* type, BBitmap* icon,
									icon_size which) const;
			status_t			SetIconForType(const char* type, const BBitmap* icon,
									icon_size which);

			status_t			GetVersionInfo(version_info* info,
									version_kind kind) const;
			status_t			SetVersionInfo(const version_info* info,
									version_kind kind);

			void				SetInfoLocation(info_location location);
			bool				IsUsingAttributes() const;
			bool				IsUsingResources() const;

private:
								BAppFileInfo(const BAppFileInfo&);
			BAppFileInfo&		operator=(const BAppFileInfo&);

	// *data is malloc()ed and freed by the caller.
			status_t			_ReadData(const char* name, type_code type, void** data,
									size_t* size) const;
	// id is the resource's when it has none yet; a negative id takes the first free one.
	// NULL data removes the record.
			status_t			_WriteData(const char* name, int32 id, type_code type,
									const void* data, size_t size);
			status_t			_OpenResourcesForWriting();
			status_t			_GetString(const char* name, char* value) const;
			status_t			_SetString(const char* name, int32 id, const char* value);

			BFile*				fFile;
			BResources*			fResources;
			info_location		fWhere;
};

#endif // _APP_FILE_INFO_H

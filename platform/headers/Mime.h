// The MIME functions of the Storage Kit: icon sizes, the type constants, and setting the
// types of files and applications. BMimeType is in <MimeType.h>, which this includes.
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

// Fills icon (size x size bytes of B_CMAP8, size being B_LARGE_ICON or B_MINI_ICON) with
// the icon of the device at the path device: the icon installed for it in the MIME
// database, else the kit's own picture of a drive of its kind (docs/icons.md).
status_t get_device_icon(const char* device, void* icon, int32 size);

#endif // _MIME_H

// BMimeType comes with <Mime.h>, as on the platform.
#include <MimeType.h>

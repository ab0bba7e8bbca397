// Where the MIME database lives and how its records are read (docs/mime-database.md):
// one flattened message per type, in a folder per supertype under the user's data
// directory.
#ifndef _MIME_DATABASE_PRIVATE_H
#define _MIME_DATABASE_PRIVATE_H

#include <Message.h>

#include <string>

namespace BPrivate {

// The database's folder below the user's data directory.
extern const char kDatabaseFolder[];
// The file name of a supertype's own record inside its folder; '@' cannot be part of a
// type, so no subtype shares it.
extern const char kSupertypeRecord[];
// Records larger than this are refused as damaged.
const size_t kMaxRecordSize = 64 * 1024;
const mode_t kDatabaseMode = 0700;

// The fields of a record; icons are named as the attributes of a node's icons.
namespace MimeRecord {
inline constexpr char kTypeField[] = "type";
inline constexpr char kPreferredAppField[] = "pref_app";
inline constexpr char kShortDescriptionField[] = "short_desc";
inline constexpr char kLongDescriptionField[] = "long_desc";
inline constexpr char kAppHintField[] = "app_hint";
inline constexpr char kAttrInfoField[] = "attr_info";
inline constexpr char kSupportedTypesField[] = "file_types";
inline constexpr char kVectorIconField[] = "BEOS:ICON";
inline constexpr type_code kVectorIconType = 'VICN';
}

status_t database_path(std::string& path);
status_t read_record(const std::string& path, BMessage* record);

} // namespace BPrivate

#endif // _MIME_DATABASE_PRIVATE_H

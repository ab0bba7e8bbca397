// The form of a MIME type's name: "supertype" or "supertype/subtype", in the characters
// that a type may hold. Checked by BMimeType::IsValid and by what records a type on a node.
#ifndef _KIT_MIME_TYPE_NAME_H
#define _KIT_MIME_TYPE_NAME_H

namespace BPrivate {

// Whether type is a well-formed name shorter than B_MIME_TYPE_LENGTH.
bool is_valid_mime_type(const char* type);

} // namespace BPrivate

#endif // _KIT_MIME_TYPE_NAME_H

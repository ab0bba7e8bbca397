// How the kit keeps a node's attribute: as the extended attribute "user.<name>", whose value
// is the attribute's type code (4 bytes, little-endian) followed by its data
// (docs/node-attributes.md).
#ifndef _ATTRIBUTE_LAYOUT_PRIVATE_H
#define _ATTRIBUTE_LAYOUT_PRIVATE_H

#include <stddef.h>

namespace BPrivate {

const char kAttributePrefix[] = "user.";
const size_t kAttributeTypeSize = 4;
// The largest value Linux keeps in one extended attribute (XATTR_SIZE_MAX).
const size_t kMaxAttributeValue = 65536;

} // namespace BPrivate

#endif // _ATTRIBUTE_LAYOUT_PRIVATE_H

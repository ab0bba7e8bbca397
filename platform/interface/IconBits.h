// The platform's bitmap icons as stored: which x which B_CMAP8 pixels of the system
// palette, row after row without padding, named "BEOS:L:..." (32 x 32, 'ICON') and
// "BEOS:M:..." (16 x 16, 'MICN') in attributes, resources and MIME records alike
// (docs/node-attributes.md).
#ifndef _ICON_BITS_PRIVATE_H
#define _ICON_BITS_PRIVATE_H

#include <Mime.h>

#include <string>
#include <vector>

class BBitmap;

namespace BPrivate {

bool is_icon_size(icon_size which);
// True when bitmap is which x which pixels of an icon size.
bool fits_icon(const BBitmap* bitmap, icon_size which);
type_code icon_type(icon_size which);
// "BEOS:L:STD_ICON" for a node's or type's own icon; "BEOS:L:<type>" (type in lower case)
// for the icon an application shows for files of type.
std::string icon_name(icon_size which, const char* forType = NULL);

// B_BAD_VALUE unless bitmap is which x which pixels.
status_t icon_from_bitmap(const BBitmap* bitmap, icon_size which, std::vector<uint8>* pixels);
// B_BAD_DATA unless size is which x which; B_BAD_VALUE for a bitmap of another size.
status_t icon_to_bitmap(const void* pixels, size_t size, icon_size which, BBitmap* bitmap);

} // namespace BPrivate

#endif // _ICON_BITS_PRIVATE_H

// The kit's own icons for what has none of its own: a file, a folder, an application and
// drives, drawn in the system palette (docs/icons.md).
#ifndef _GENERIC_ICONS_PRIVATE_H
#define _GENERIC_ICONS_PRIVATE_H

#include <Mime.h>

namespace BPrivate {

enum generic_icon {
	kGenericFileIcon,
	kGenericFolderIcon,
	kGenericApplicationIcon,
	kGenericDriveIcon,
	kGenericRemovableIcon
};

// Fills pixels (which x which bytes of B_CMAP8) with the icon of kind.
void draw_generic_icon(generic_icon kind, icon_size which, uint8* pixels);

} // namespace BPrivate

#endif // _GENERIC_ICONS_PRIVATE_H

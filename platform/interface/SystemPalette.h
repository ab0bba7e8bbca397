// The kit's 256-colour system palette and its lookups. Its layout is documented in
// docs/system-palette.md; icons stored as B_CMAP8 depend on it.
#ifndef _SYSTEM_PALETTE_H
#define _SYSTEM_PALETTE_H

#include <GraphicsDefs.h>

namespace BPrivate {

// The palette is built once, on first use, and never changes afterwards.
const color_map& SystemPalette();

// The nearest palette index for a colour; fully transparent colours map to index 255.
uint8 PaletteIndexFor(rgb_color color);

} // namespace BPrivate

#endif // _SYSTEM_PALETTE_H

// The platform's key map (key_map and its character buffer) made from an xkb keymap.
#ifndef _KEY_MAP_BUILDER_H
#define _KEY_MAP_BUILDER_H

#include <InterfaceDefs.h>

struct xkb_keymap;

namespace BPrivate {

// Both results are allocated with malloc(). locks: the lock modifiers on now.
status_t build_key_map(xkb_keymap* keymap, uint32 locks, key_map** map, char** chars);

// The field of map that names the key of modifier (one bit: B_CAPS_LOCK,
// B_LEFT_SHIFT_KEY ... B_MENU_KEY); NULL for anything else.
uint32* modifier_key_field(key_map* map, uint32 modifier);

// The keymap xkbcommon compiles from the system's default layout; NULL when none is
// installed. The caller unreferences it.
xkb_keymap* default_xkb_keymap();

} // namespace BPrivate

#endif // _KEY_MAP_BUILDER_H

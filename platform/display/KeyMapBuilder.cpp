// The key map asks xkbcommon what each key types under each combination of Shift, Caps
// Lock, Option (the third level, AltGr) and Control. Dead keys compose through the input
// method on Linux, so the dead-key tables stay empty.
#include "display/KeyMapBuilder.h"

#include "display/KeyCodes.h"

#include <xkbcommon/xkbcommon.h>

#include <stdlib.h>
#include <string.h>
#include <string>

namespace BPrivate {

namespace {

// The form of key_map this builds.
const uint32 kKeyMapVersion = 3;

struct Modifiers {
	xkb_mod_index_t shift;
	xkb_mod_index_t caps;
	xkb_mod_index_t control;
	xkb_mod_index_t option;
};


xkb_mod_mask_t
MaskOf(xkb_mod_index_t index)
{
	return index == XKB_MOD_INVALID ? 0 : (xkb_mod_mask_t)1 << index;
}


// Adds what key types in state to the buffer; its offset there (0: nothing).
int32
AddCharacter(xkb_state* state, xkb_keycode_t key, std::string* buffer)
{
	char bytes[16] = {};
	xkb_keysym_t symbol = xkb_state_key_get_one_sym(state, key);
	int32 functionKey = 0;
	uint8 special = special_key_byte(symbol, &functionKey);
	if (special != 0) {
		bytes[0] = (char)special;
		bytes[1] = '\0';
	} else
		xkb_state_key_get_utf8(state, key, bytes, sizeof(bytes));
	size_t length = strlen(bytes);
	if (length == 0)
		return 0;
	int32 offset = (int32)buffer->size();
	buffer->push_back((char)length);
	buffer->append(bytes, length);
	return offset;
}

} // namespace


uint32*
modifier_key_field(key_map* map, uint32 modifier)
{
	switch (modifier) {
		case B_CAPS_LOCK:
			return &map->caps_key;
		case B_SCROLL_LOCK:
			return &map->scroll_key;
		case B_NUM_LOCK:
			return &map->num_key;
		case B_LEFT_SHIFT_KEY:
			return &map->left_shift_key;
		case B_RIGHT_SHIFT_KEY:
			return &map->right_shift_key;
		case B_LEFT_COMMAND_KEY:
			return &map->left_command_key;
		case B_RIGHT_COMMAND_KEY:
			return &map->right_command_key;
		case B_LEFT_CONTROL_KEY:
			return &map->left_control_key;
		case B_RIGHT_CONTROL_KEY:
			return &map->right_control_key;
		case B_LEFT_OPTION_KEY:
			return &map->left_option_key;
		case B_RIGHT_OPTION_KEY:
			return &map->right_option_key;
		case B_MENU_KEY:
			return &map->menu_key;
		default:
			return NULL;
	}
}


status_t
build_key_map(xkb_keymap* keymap, uint32 locks, key_map** _map, char** _chars)
{
	if (keymap == NULL || _map == NULL || _chars == NULL)
		return B_BAD_VALUE;
	xkb_state* state = xkb_state_new(keymap);
	if (state == NULL)
		return B_NO_MEMORY;
	key_map* map = (key_map*)calloc(1, sizeof(key_map));
	if (map == NULL) {
		xkb_state_unref(state);
		return B_NO_MEMORY;
	}

	map->version = kKeyMapVersion;
	// X11's roles: Ctrl is Command, Alt is Option, Super is Control.
	map->caps_key = 0x3b;
	map->scroll_key = 0x0f;
	map->num_key = 0x22;
	map->left_shift_key = 0x4b;
	map->right_shift_key = 0x56;
	map->left_command_key = 0x5c;
	map->right_command_key = 0x60;
	map->left_control_key = 0x66;
	map->right_control_key = 0x67;
	map->left_option_key = 0x5d;
	map->right_option_key = 0x5f;
	map->menu_key = 0x68;
	map->lock_settings = locks & (B_CAPS_LOCK | B_NUM_LOCK | B_SCROLL_LOCK);

	Modifiers modifiers = {
		xkb_keymap_mod_get_index(keymap, XKB_MOD_NAME_SHIFT),
		xkb_keymap_mod_get_index(keymap, XKB_MOD_NAME_CAPS),
		xkb_keymap_mod_get_index(keymap, XKB_MOD_NAME_CTRL),
		xkb_keymap_mod_get_index(keymap, "Mod5")
	};
	xkb_mod_mask_t shift = MaskOf(modifiers.shift);
	xkb_mod_mask_t caps = MaskOf(modifiers.caps);
	xkb_mod_mask_t option = MaskOf(modifiers.option);
	struct Table {
		int32* offsets;
		xkb_mod_mask_t depressed;
		xkb_mod_mask_t locked;
	} tables[] = {
		{ map->normal_map, 0, 0 },
		{ map->shift_map, shift, 0 },
		{ map->caps_map, 0, caps },
		{ map->caps_shift_map, shift, caps },
		{ map->option_map, option, 0 },
		{ map->option_shift_map, option | shift, 0 },
		{ map->option_caps_map, option, caps },
		{ map->option_caps_shift_map, option | shift, caps },
		{ map->control_map, MaskOf(modifiers.control), 0 }
	};

	// Offset 0 holds the empty string: a key that types nothing points there.
	std::string buffer(1, '\0');
	for (const Table& table : tables) {
		xkb_state_update_mask(state, table.depressed, 0, table.locked, 0, 0, 0);
		for (uint32 code = 1; code < (uint32)kKeyCodeCount; code++) {
			uint32 key = x_key_for_key_code(code);
			table.offsets[code] = key != 0 ? AddCharacter(state, key, &buffer) : 0;
		}
	}
	xkb_state_unref(state);

	char* chars = (char*)malloc(buffer.size());
	if (chars == NULL) {
		free(map);
		return B_NO_MEMORY;
	}
	memcpy(chars, buffer.data(), buffer.size());
	*_map = map;
	*_chars = chars;
	return B_OK;
}


xkb_keymap*
default_xkb_keymap()
{
	xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
	if (context == NULL)
		return NULL;
	xkb_keymap* keymap = xkb_keymap_new_from_names(context, NULL,
		XKB_KEYMAP_COMPILE_NO_FLAGS);
	xkb_context_unref(context);
	return keymap;
}

} // namespace BPrivate

// The X11 back end's input settings. The double-click time is the kit's own: it lives on
// the root window (_QUORVANE_KIT_CLICK_SPEED), so that every kit application on the
// display shares it for as long as the server runs. Acceleration and the buttons' map
// are the server's pointer control and pointer mapping.
#include "display/X11Display.h"

#include "display/KeyCodes.h"
#include "display/KeyMapBuilder.h"

#include <InterfaceDefs.h>

#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <stdlib.h>
#include <string.h>
#include <vector>

namespace BPrivate {

namespace {

// X accelerates by a ratio; the platform's acceleration of 65536 is twice the speed.
const int16 kAccelerationDenominator = 16;

// X's logical buttons as the platform's bits.
uint32
BitForLogicalButton(uint8 button)
{
	switch (button) {
		case 1:
			return B_PRIMARY_MOUSE_BUTTON;
		case 2:
			return B_TERTIARY_MOUSE_BUTTON;
		case 3:
			return B_SECONDARY_MOUSE_BUTTON;
		default:
			return 0;
	}
}


uint8
LogicalButtonForBit(uint32 bit)
{
	switch (bit) {
		case B_PRIMARY_MOUSE_BUTTON:
			return 1;
		case B_TERTIARY_MOUSE_BUTTON:
			return 2;
		case B_SECONDARY_MOUSE_BUTTON:
			return 3;
		default:
			return 0;
	}
}

// The row of X's modifier mapping that gives a platform modifier (X11's roles: Ctrl is
// Command, Alt (Mod1) Option, Super (Mod4) Control, Mod2 Num Lock); -1 for the
// modifiers X has no row for (Scroll Lock, Menu).
int
ModifierRow(uint32 modifier)
{
	switch (modifier) {
		case B_LEFT_SHIFT_KEY:
		case B_RIGHT_SHIFT_KEY:
			return XCB_MAP_INDEX_SHIFT;
		case B_CAPS_LOCK:
			return XCB_MAP_INDEX_LOCK;
		case B_LEFT_COMMAND_KEY:
		case B_RIGHT_COMMAND_KEY:
			return XCB_MAP_INDEX_CONTROL;
		case B_LEFT_OPTION_KEY:
		case B_RIGHT_OPTION_KEY:
			return XCB_MAP_INDEX_1;
		case B_NUM_LOCK:
			return XCB_MAP_INDEX_2;
		case B_LEFT_CONTROL_KEY:
		case B_RIGHT_CONTROL_KEY:
			return XCB_MAP_INDEX_4;
		default:
			return -1;
	}
}

} // namespace


// The kit's key map takes the key; the server's modifier mapping then moves the
// modifier's row from the key that gave it before to the new one.
status_t
X11Display::SetModifierKey(uint32 modifier, uint32 key)
{
	uint32 previous = 0;
	key_map* map = NULL;
	char* chars = NULL;
	if (GetKeyMap(&map, &chars) == B_OK) {
		if (uint32* field = modifier_key_field(map, modifier))
			previous = *field;
		free(map);
		free(chars);
	}
	status_t status = Display::SetModifierKey(modifier, key);
	int row = ModifierRow(modifier);
	uint8 newKey = (uint8)x_key_for_key_code(key);
	uint8 oldKey = (uint8)x_key_for_key_code(previous);
	if (status != B_OK || row < 0 || newKey == 0 || newKey == oldKey)
		return status;

	xcb_get_modifier_mapping_reply_t* reply = xcb_get_modifier_mapping_reply(fConnection,
		xcb_get_modifier_mapping(fConnection), NULL);
	if (reply == NULL)
		return B_ERROR;
	int perRow = reply->keycodes_per_modifier;
	const xcb_keycode_t* current = xcb_get_modifier_mapping_keycodes(reply);
	std::vector<std::vector<uint8>> rows(8);
	for (int i = 0; i < 8; i++) {
		for (int j = 0; j < perRow; j++) {
			uint8 code = current[i * perRow + j];
			// The new key gives only this modifier; the old one no longer gives it.
			if (code == 0 || code == newKey || (i == row && code == oldKey))
				continue;
			rows[i].push_back(code);
		}
	}
	free(reply);
	rows[row].push_back(newKey);
	size_t width = 1;
	for (const std::vector<uint8>& keys : rows)
		width = std::max(width, keys.size());
	std::vector<uint8> codes(8 * width, 0);
	for (int i = 0; i < 8; i++)
		std::copy(rows[i].begin(), rows[i].end(), codes.begin() + i * width);
	xcb_set_modifier_mapping_reply_t* set = xcb_set_modifier_mapping_reply(fConnection,
		xcb_set_modifier_mapping(fConnection, (uint8)width, codes.data()), NULL);
	// A modifier key held down makes the server refuse (MappingBusy).
	status = set != NULL && set->status == XCB_MAPPING_STATUS_SUCCESS ? B_OK : B_BUSY;
	free(set);
	return status;
}


status_t
X11Display::ReadKeyMap(key_map** map, char** chars)
{
	if (fKeymap == NULL)
		return B_UNSUPPORTED;
	return build_key_map(fKeymap, Modifiers(), map, chars);
}


bigtime_t
X11Display::ClickSpeed()
{
	std::lock_guard<std::mutex> locker(fScreenLock);
	return fClickSpeed;
}


// Runs on the event thread when the root's property changed.
void
X11Display::ClickSpeedChanged()
{
	uint32 speed = RootCardinal(fClickSpeedAtom, (uint32)kDefaultClickSpeed);
	std::lock_guard<std::mutex> locker(fScreenLock);
	fClickSpeed = speed > 0 ? speed : kDefaultClickSpeed;
}


status_t
X11Display::SetClickSpeed(bigtime_t speed)
{
	if (speed <= 0 || speed > UINT32_MAX)
		return B_BAD_VALUE;
	uint32 value = (uint32)speed;
	xcb_change_property(fConnection, XCB_PROP_MODE_REPLACE, fScreen->root, fClickSpeedAtom,
		XCB_ATOM_CARDINAL, 32, 1, &value);
	xcb_flush(fConnection);
	std::lock_guard<std::mutex> locker(fScreenLock);
	fClickSpeed = speed;
	return B_OK;
}


// The core protocol has no base speed, only acceleration: the speed is always the
// usual one.
status_t
X11Display::GetMouseSpeed(int32* speed, int32* acceleration)
{
	xcb_get_pointer_control_reply_t* control = xcb_get_pointer_control_reply(fConnection,
		xcb_get_pointer_control(fConnection), NULL);
	if (control == NULL)
		return B_ERROR;
	*speed = kDefaultMouseSpeed;
	int32 denominator = control->acceleration_denominator > 0
		? control->acceleration_denominator : 1;
	int32 ratio65536 = (int32)((int64)control->acceleration_numerator * 65536 / denominator);
	*acceleration = ratio65536 > 65536 ? ratio65536 - 65536 : 0;
	free(control);
	return B_OK;
}


status_t
X11Display::SetMouseSpeed(int32 speed, int32 acceleration)
{
	if (speed != kDefaultMouseSpeed)
		return B_UNSUPPORTED;
	if (acceleration < 0 || acceleration > 16 * 65536)
		return B_BAD_VALUE;
	int16 numerator = (int16)(kAccelerationDenominator
		+ (int64)acceleration * kAccelerationDenominator / 65536);
	xcb_generic_error_t* error = xcb_request_check(fConnection,
		xcb_change_pointer_control_checked(fConnection, numerator,
			kAccelerationDenominator, 0, 1, 0));
	free(error);
	return error == NULL ? B_OK : B_ERROR;
}


int32
X11Display::CountMouseButtons()
{
	xcb_get_pointer_mapping_reply_t* mapping = xcb_get_pointer_mapping_reply(fConnection,
		xcb_get_pointer_mapping(fConnection), NULL);
	if (mapping == NULL)
		return 0;
	// Buttons 4 and up are the wheel.
	int32 count = std::min(3, xcb_get_pointer_mapping_map_length(mapping));
	free(mapping);
	return count;
}


status_t
X11Display::GetMouseMap(uint32 map[3])
{
	xcb_get_pointer_mapping_reply_t* mapping = xcb_get_pointer_mapping_reply(fConnection,
		xcb_get_pointer_mapping(fConnection), NULL);
	if (mapping == NULL)
		return B_ERROR;
	const uint8* logical = xcb_get_pointer_mapping_map(mapping);
	int length = xcb_get_pointer_mapping_map_length(mapping);
	for (int i = 0; i < 3; i++)
		map[i] = i < length ? BitForLogicalButton(logical[i]) : 0;
	free(mapping);
	return B_OK;
}


// The server refuses a new mapping while a button it changes is down.
status_t
X11Display::SetMouseMap(const uint32 map[3])
{
	xcb_get_pointer_mapping_reply_t* mapping = xcb_get_pointer_mapping_reply(fConnection,
		xcb_get_pointer_mapping(fConnection), NULL);
	if (mapping == NULL)
		return B_ERROR;
	std::vector<uint8> logical(xcb_get_pointer_mapping_map(mapping),
		xcb_get_pointer_mapping_map(mapping) + xcb_get_pointer_mapping_map_length(mapping));
	free(mapping);
	for (size_t i = 0; i < 3 && i < logical.size(); i++)
		logical[i] = LogicalButtonForBit(map[i]);
	xcb_set_pointer_mapping_reply_t* reply = xcb_set_pointer_mapping_reply(fConnection,
		xcb_set_pointer_mapping(fConnection, (uint8)logical.size(), logical.data()), NULL);
	status_t status = reply == NULL ? B_ERROR
		: reply->status == XCB_MAPPING_STATUS_SUCCESS ? B_OK : B_BUSY;
	free(reply);
	return status;
}

} // namespace BPrivate

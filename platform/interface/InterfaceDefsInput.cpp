// The keyboard, mouse and workspace functions of InterfaceDefs.h, over the display back
// end (docs/display.md: where each setting lives on X11 and offscreen).
#include <InterfaceDefs.h>

#include "display/Display.h"
#include "display/KeyMapBuilder.h"

#include <stdlib.h>
#include <string.h>

namespace {

// X tells no keyboard's hardware identity: the kit reports the platform's standard
// 101-key keyboard.
const uint16 kStandardKeyboardID = 0x83ab;

BPrivate::Display*
display()
{
	return BPrivate::Display::Default();
}


bool
IsButtonBit(uint32 bit)
{
	return bit == B_PRIMARY_MOUSE_BUTTON || bit == B_SECONDARY_MOUSE_BUTTON
		|| bit == B_TERTIARY_MOUSE_BUTTON;
}

} // namespace


uint32
modifiers()
{
	return display()->Modifiers();
}


status_t
get_key_info(key_info* info)
{
	if (info == NULL)
		return B_BAD_VALUE;
	info->modifiers = display()->Modifiers();
	display()->GetKeyStates(info->key_states);
	return B_OK;
}


void
get_key_map(key_map** _map, char** _keyBuffer)
{
	if (_map == NULL || _keyBuffer == NULL)
		return;
	*_map = NULL;
	*_keyBuffer = NULL;
	display()->GetKeyMap(_map, _keyBuffer);
}


status_t
get_keyboard_id(uint16* _id)
{
	if (_id == NULL)
		return B_BAD_VALUE;
	*_id = kStandardKeyboardID;
	return B_OK;
}


status_t
get_modifier_key(uint32 modifier, uint32* key)
{
	if (key == NULL)
		return B_BAD_VALUE;
	key_map* map = NULL;
	char* chars = NULL;
	get_key_map(&map, &chars);
	if (map == NULL)
		return B_ERROR;
	uint32* field = BPrivate::modifier_key_field(map, modifier);
	if (field != NULL)
		*key = *field;
	free(map);
	free(chars);
	return field != NULL ? B_OK : B_BAD_VALUE;
}


void
set_modifier_key(uint32 modifier, uint32 key)
{
	display()->SetModifierKey(modifier, key);
}


void
set_keyboard_locks(uint32 modifiers)
{
	display()->SetKeyboardLocks(modifiers);
}


status_t
get_click_speed(bigtime_t* speed)
{
	if (speed == NULL)
		return B_BAD_VALUE;
	*speed = display()->ClickSpeed();
	return B_OK;
}


status_t
set_click_speed(bigtime_t speed)
{
	return display()->SetClickSpeed(speed);
}


status_t
get_mouse_speed(int32* speed)
{
	int32 acceleration;
	return speed != NULL ? display()->GetMouseSpeed(speed, &acceleration) : B_BAD_VALUE;
}


status_t
set_mouse_speed(int32 speed)
{
	int32 old;
	int32 acceleration;
	status_t status = display()->GetMouseSpeed(&old, &acceleration);
	return status == B_OK ? display()->SetMouseSpeed(speed, acceleration) : status;
}


status_t
get_mouse_acceleration(int32* acceleration)
{
	int32 speed;
	return acceleration != NULL ? display()->GetMouseSpeed(&speed, acceleration)
		: B_BAD_VALUE;
}


status_t
set_mouse_acceleration(int32 acceleration)
{
	int32 speed;
	int32 old;
	status_t status = display()->GetMouseSpeed(&speed, &old);
	return status == B_OK ? display()->SetMouseSpeed(speed, acceleration) : status;
}


// The type is the number of buttons, which the device decides.
status_t
get_mouse_type(int32* type)
{
	if (type == NULL)
		return B_BAD_VALUE;
	*type = display()->CountMouseButtons();
	return *type > 0 ? B_OK : B_ERROR;
}


status_t
set_mouse_type(int32 type)
{
	if (type < 1 || type > 3)
		return B_BAD_VALUE;
	return type == display()->CountMouseButtons() ? B_OK : B_UNSUPPORTED;
}


status_t
get_mouse_map(mouse_map* map)
{
	if (map == NULL)
		return B_BAD_VALUE;
	uint32 buttons[3];
	status_t status = display()->GetMouseMap(buttons);
	if (status != B_OK)
		return status;
	map->left = buttons[0];
	map->middle = buttons[1];
	map->right = buttons[2];
	return B_OK;
}


status_t
set_mouse_map(mouse_map* map)
{
	if (map == NULL || !IsButtonBit(map->left) || !IsButtonBit(map->right)
		|| !IsButtonBit(map->middle)) {
		return B_BAD_VALUE;
	}
	uint32 buttons[3] = { map->left, map->middle, map->right };
	return display()->SetMouseMap(buttons);
}


int32
count_workspaces()
{
	return display()->CountWorkspaces();
}


void
set_workspace_count(int32 count)
{
	display()->SetWorkspaceCount(count);
}


int32
current_workspace()
{
	return display()->CurrentWorkspace();
}


void
activate_workspace(int32 workspace)
{
	display()->ActivateWorkspace(workspace);
}

// The platform's key codes (the "key" of B_KEY_DOWN, the indexes of key_info's states and
// of key_map's tables) for the keys of a Linux keyboard. X servers number their keys as
// Linux's input layer does, plus 8.
#ifndef _KEY_CODES_H
#define _KEY_CODES_H

#include <SupportDefs.h>

namespace BPrivate {

// The number of the platform's key codes (0 is none).
const int32 kKeyCodeCount = 128;

// The platform's code of an X key, 0 for a key the platform's keyboard lacks.
uint32 key_code_for_x_key(uint32 xKey);
// The X key of a platform code, 0 for none.
uint32 x_key_for_key_code(uint32 code);

// The platform's byte for a key (an xkb key symbol) that types no character (B_ENTER,
// B_LEFT_ARROW ...; B_FUNCTION_KEY with the key's code in *functionKey); 0 for the others.
uint8 special_key_byte(uint32 symbol, int32* functionKey);

} // namespace BPrivate

#endif // _KEY_CODES_H

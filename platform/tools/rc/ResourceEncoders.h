// The bytes of the kinds of resource data that a definition can describe.
#ifndef _RESOURCE_ENCODERS_H
#define _RESOURCE_ENCODERS_H

#include <AppFileInfo.h>
#include <SupportDefs.h>

#include <vector>

class BMessage;

void append_uint32(std::vector<uint8>* data, uint32 value);

// A version record as applications read it: five 32-bit numbers, then the two texts in
// fixed, NUL-padded fields.
void append_version(std::vector<uint8>* data, const version_info& version);

// A flattened message; B_OK or the failure of flattening it.
status_t append_message(std::vector<uint8>* data, const BMessage& message);

// The archive of a B_CMAP8 bitmap of width by height pixels, one palette index per pixel,
// rows top first, as a flattened message.
status_t append_cmap8_bitmap(std::vector<uint8>* data, int32 width, int32 height,
	const std::vector<uint8>& pixels);

#endif // _RESOURCE_ENCODERS_H

// Renders bytes as they arrive from other processes: as a flattened message (its dump,
// its items on one line, its specifier chain), as a flattened property table (its line
// list), and as a single item whose type code is the first four bytes.
#include "ScriptingUtils.h"

#include <List.h>
#include <Message.h>
#include <PropertyInfo.h>
#include <TypeConstants.h>

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	if (size > INT32_MAX)
		return 0;

	BMessage message;
	if (message.Unflatten(reinterpret_cast<const char*>(data), size) == B_OK) {
		BList lines(20);
		add_message_contents(&lines, &message, 0);
		for (int32 i = 0; i < lines.CountItems(); i++)
			free(lines.ItemAt(i));
		specifier_to_str(&message, false);
		specifier_to_str(&message, true);
		data_to_str(&message);
	}

	BPropertyInfo info;
	if (info.Unflatten(B_PROPERTY_INFO_TYPE, data, size) == B_OK) {
		BList lines(20);
		DehydratePropertyInfo(&lines, info, static_cast<int32>(size));
		for (int32 i = 0; i < lines.CountItems(); i++)
			delete[] static_cast<char*>(lines.ItemAt(i));
	}

	if (size >= 4) {
		int32 type;
		memcpy(&type, data, sizeof(type));
		delete[] format_data(type, data + 4, static_cast<int32>(size - 4));
	}
	return 0;
}

// convert_to_utf8 and convert_from_utf8 over any bytes, in any encoding (the first byte
// picks it), into a destination that may be too small (the second byte sizes it).
#include <UTF8.h>

#include <stddef.h>
#include <stdint.h>

#include <vector>

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	if (size < 2)
		return 0;
	uint32 encoding = data[0] % (B_MS_WINDOWS_1250_CONVERSION + 2);
	std::vector<char> dest(data[1] * 4);
	const char* source = (const char*)data + 2;
	for (bool toUTF8 : { true, false }) {
		int32 sourceLength = size - 2;
		int32 destLength = dest.size();
		int32 state = 0;
		status_t status = toUTF8
			? convert_to_utf8(encoding, source, &sourceLength, dest.data(), &destLength,
				&state)
			: convert_from_utf8(encoding, source, &sourceLength, dest.data(), &destLength,
				&state);
		if (status == B_OK
			&& (sourceLength < 0 || sourceLength > (int32)(size - 2) || destLength < 0
				|| destLength > (int32)dest.size()))
			__builtin_trap();
	}
	return 0;
}

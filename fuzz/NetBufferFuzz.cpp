// Feeds a peer's bytes to BNetBuffer's removers: each must take what fits or refuse and
// leave the bytes, never read past them.
#include <Message.h>
#include <NetBuffer.h>

#include <stdint.h>
#include <stdlib.h>

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	BNetBuffer buffer;
	if (buffer.AppendData(data, size) != B_OK)
		abort();
	for (int step = 0; buffer.BytesRemaining() > 0 && step < 64; step++) {
		size_t before = buffer.BytesRemaining();
		uint8 kind;
		if (buffer.RemoveUint8(kind) != B_OK)
			abort();
		status_t status;
		switch (kind % 4) {
			case 0: {
				BMessage message;
				status = buffer.RemoveMessage(message);
				break;
			}
			case 1: {
				char text[32];
				status = buffer.RemoveString(text, sizeof(text));
				break;
			}
			case 2: {
				double value;
				status = buffer.RemoveDouble(value);
				break;
			}
			default: {
				int16 value;
				status = buffer.RemoveInt16(value);
				break;
			}
		}
		if (status != B_OK && buffer.BytesRemaining() != before - 1)
			abort();
	}
	return 0;
}

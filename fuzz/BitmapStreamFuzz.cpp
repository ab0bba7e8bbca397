// Writes arbitrary bytes into a BBitmapStream, in two pieces split where the first byte
// says: the stream either refuses them or holds a bitmap its header describes.
#include <Bitmap.h>
#include <BitmapStream.h>

#include <stdlib.h>

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	if (size < 1)
		return 0;
	size_t split = data[0] % (size);
	BBitmapStream stream;
	ssize_t first = stream.WriteAt(0, data + 1, split > 0 ? split - 1 : 0);
	if (first >= 0 && split > 0)
		stream.WriteAt(split - 1, data + split, size - split);
	BBitmap* bitmap = NULL;
	if (stream.DetachBitmap(&bitmap) == B_OK) {
		if (bitmap == NULL || !bitmap->IsValid())
			abort();
		uint8 buffer[64];
		BBitmapStream reader(bitmap);
		reader.ReadAt(0, buffer, sizeof(buffer));
	}
	return 0;
}

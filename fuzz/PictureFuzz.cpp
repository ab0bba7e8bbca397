// Feeds arbitrary bytes to BPicture::Unflatten. A picture that comes out must flatten to
// the very bytes it came from, replay into a view that records it, and clip a view.
#include <DataIO.h>
#include <Picture.h>
#include <View.h>

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	BPicture picture;
	BMemoryIO input(data, size);
	if (picture.Unflatten(&input) != B_OK)
		return 0;

	BMallocIO output;
	if (picture.Flatten(&output) != B_OK || (size_t)output.BufferLength() > size
		|| memcmp(output.Buffer(), data, output.BufferLength()) != 0) {
		abort();
	}

	BView view(BRect(0, 0, 31, 31), "fuzz", B_FOLLOW_NONE, 0);
	BPicture copy;
	view.BeginPicture(&copy);
	view.DrawPicture(&picture, BPoint(3, 4));
	view.EndPicture();
	// Clipping to it paints what each call covers into a mask of the view's size.
	view.ClipToPicture(&picture, BPoint(-2, 5));
	return 0;
}

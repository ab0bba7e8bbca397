// Feeds arbitrary bytes to BPicture::Unflatten. A picture that comes out must flatten to
// the very bytes it came from, replay into a view that records it, clip a view, and play
// into a table whose functions read every point and pixel they are handed.
#include <DataIO.h>
#include <Picture.h>
#include <Shape.h>
#include <View.h>

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

namespace {

uint32 stSum;

void ReadPoints(void*, int32 count, const BPoint* points, bool)
{
	for (int32 i = 0; i < count; i++)
		stSum += (uint32)(points[i].x != points[i].y);
}

void ReadBezier(void*, BPoint* points)
{
	for (int32 i = 0; i < 4; i++)
		stSum += (uint32)(points[i].x != 0);
}

void ReadString(void*, const char* string, float, float)
{
	stSum += (uint32)strlen(string);
}

void ReadPixels(void*, BRect, BRect, int32 width, int32 height, int32 bytesPerRow,
	int32, int32, const void* data)
{
	const uint8* bytes = (const uint8*)data;
	for (int32 i = 0; i < height * bytesPerRow; i++)
		stSum += bytes[i];
	stSum += (uint32)width;
}

void ReadShape(void*, const BShape* shape)
{
	stSum += (uint32)shape->Bounds().IsValid();
}

} // namespace


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

	void* table[48] = {};
	table[13] = (void*)ReadPoints;
	table[14] = (void*)ReadPoints;
	table[7] = (void*)ReadBezier;
	table[8] = (void*)ReadBezier;
	table[15] = (void*)ReadShape;
	table[16] = (void*)ReadShape;
	table[17] = (void*)ReadString;
	table[18] = (void*)ReadPixels;
	picture.Play(table, 48, NULL);
	return 0;
}

#include "PrefilledBitmap.h"

#include <File.h>
#include <Message.h>
#include <Resources.h>

#include <algorithm>

namespace {

const uint8 kMaskFill1 = 1;
const uint8 kMaskFill2 = 42;
const uint8 kMaskFill3 = 52;


// The byte count the data constructor copies: the row size as the bitmap's own data
// measured it, times the rows.
int32
data_length(BRect bounds)
{
	int32 bytesPerRow = ((int32)(bounds.right - bounds.left) + 3) & ~3;
	int32 rows = (int32)(bounds.bottom - bounds.top) + 1;
	return bytesPerRow > 0 && rows > 0 ? bytesPerRow * rows : 0;
}


uint32
bitmap_flags(bool acceptsViews, bool needsContiguous)
{
	return (acceptsViews ? B_BITMAP_ACCEPTS_VIEWS : 0)
		| (needsContiguous ? B_BITMAP_IS_CONTIGUOUS : 0);
}

} // namespace


PrefilledBitmap::PrefilledBitmap(BRect bounds, color_space space, const void* data,
	bool acceptsViews, bool needsContiguous, bool createMasks)
	:
	BBitmap(bounds, bitmap_flags(acceptsViews, needsContiguous), space),
	fMask1(NULL),
	fMask2(NULL),
	fMask3(NULL)
{
	int32 length = data_length(bounds);
	SetBits(data, length, 0, space);
	if (createMasks)
		CreateMasks(length, acceptsViews, needsContiguous);
}


PrefilledBitmap::PrefilledBitmap(BMessage* archive, bool acceptsViews,
	bool needsContiguous, bool createMasks)
	:
	BBitmap(archive),
	fMask1(NULL),
	fMask2(NULL),
	fMask3(NULL)
{
	if (createMasks)
		CreateMasks(BitsLength(), acceptsViews, needsContiguous);
}


PrefilledBitmap::~PrefilledBitmap()
{
	delete fMask3;
	delete fMask2;
	delete fMask1;
}


void
PrefilledBitmap::CreateMasks(int32 count, bool acceptsViews, bool needsContiguous)
{
	BRect bounds = Bounds();
	color_space space = ColorSpace();
	uint32 flags = bitmap_flags(acceptsViews, needsContiguous);
	const uint8* source = static_cast<const uint8*>(Bits());

	BBitmap** masks[3] = { &fMask1, &fMask2, &fMask3 };
	const uint8 fills[3] = { kMaskFill1, kMaskFill2, kMaskFill3 };
	for (int32 i = 0; i < 3; i++) {
		BBitmap* mask = new BBitmap(bounds, flags, space);
		mask->Lock();
		// Never walk past either bitmap, whatever count says.
		int32 length = std::min({ count, BitsLength(), mask->BitsLength() });
		uint8* target = static_cast<uint8*>(mask->Bits());
		for (int32 at = 0; at < length; at++)
			target[at] = source[at] == B_TRANSPARENT_8_BIT ? B_TRANSPARENT_8_BIT : fills[i];
		mask->Unlock();
		delete *masks[i];
		*masks[i] = mask;
	}
}


const BBitmap*
PrefilledBitmap::GetMask(int32 which) const
{
	switch (which) {
		case 1:
			return fMask1;
		case 2:
			return fMask2;
		case 3:
			return fMask3;
		default:
			return NULL;
	}
}


PrefilledBitmap*
LoadBitmapFromResource(BFile& file, int32 id, uint32 type)
{
	BResources resources;
	resources.SetTo(&file, false);

	size_t size;
	const void* data = resources.LoadResource(type, id, &size);
	if (data == NULL)
		return NULL;

	// A resource that is no bitmap archive gives whatever bitmap the archive describes;
	// the bitmap itself checks what it reads.
	BMessage archive;
	archive.Unflatten(static_cast<const char*>(data), size);
	return new PrefilledBitmap(&archive, false, false, true);
}

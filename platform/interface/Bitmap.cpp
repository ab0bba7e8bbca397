// BBitmap: pixels in memory, archived as "_frame", "_cspace", "_bmflags", "_rowbytes" and
// "_data". A bitmap that accepts views draws them through an offscreen window.
#include <Bitmap.h>

#include "interface/PixelFormat.h"
#include "interface/WindowPrivate.h"

#include <Message.h>
#include <TypeConstants.h>
#include <View.h>
#include <Window.h>

#include <math.h>
#include <stdlib.h>
#include <string.h>

namespace {

// Larger bitmaps are refused rather than allocated: an archive may come from anywhere.
const int64 kMaxBitsLength = 256 * 1024 * 1024;
const float kMaxExtent = 32767;

} // namespace


BBitmap::BBitmap(BRect bounds, uint32 flags, color_space colorSpace, int32 bytesPerRow,
	screen_id screenID)
{
	Allocate(bounds, flags, colorSpace, bytesPerRow);
}


BBitmap::BBitmap(BRect bounds, color_space colorSpace, bool acceptsViews,
	bool needsContiguous)
{
	Allocate(bounds, (acceptsViews ? B_BITMAP_ACCEPTS_VIEWS : 0)
		| (needsContiguous ? B_BITMAP_IS_CONTIGUOUS : 0), colorSpace, B_ANY_BYTES_PER_ROW);
}


BBitmap::BBitmap(const BBitmap* source, bool acceptsViews, bool needsContiguous)
{
	if (source == NULL || !source->IsValid()) {
		Allocate(BRect(), 0, B_NO_COLOR_SPACE, B_ANY_BYTES_PER_ROW);
		return;
	}
	Allocate(source->Bounds(), (acceptsViews ? B_BITMAP_ACCEPTS_VIEWS : 0)
		| (needsContiguous ? B_BITMAP_IS_CONTIGUOUS : 0), source->ColorSpace(),
		source->BytesPerRow());
	if (IsValid())
		memcpy(fBits, source->Bits(), fBitsLength);
}


BBitmap::BBitmap(BMessage* data)
	:
	BArchivable(data)
{
	BRect frame;
	int32 space = B_NO_COLOR_SPACE;
	int32 flags = 0;
	int32 bytesPerRow = B_ANY_BYTES_PER_ROW;
	if (data == NULL || data->FindRect("_frame", &frame) != B_OK
		|| data->FindInt32("_cspace", &space) != B_OK) {
		Allocate(BRect(), 0, B_NO_COLOR_SPACE, B_ANY_BYTES_PER_ROW);
		return;
	}
	data->FindInt32("_bmflags", &flags);
	data->FindInt32("_rowbytes", &bytesPerRow);
	Allocate(frame, (uint32)flags, BPrivate::ColorSpaceFrom(space), bytesPerRow);
	if (!IsValid())
		return;

	const void* pixels = NULL;
	ssize_t size = 0;
	if (data->FindData("_data", B_RAW_TYPE, &pixels, &size) == B_OK && size > 0)
		memcpy(fBits, pixels, size < fBitsLength ? size : fBitsLength);
}


BBitmap::~BBitmap()
{
	// The window goes first: its views may still look at the bits as they leave.
	if (fWindow != NULL && fWindow->Lock())
		delete fWindow;
	free(fBits);
}


BArchivable*
BBitmap::Instantiate(BMessage* data)
{
	if (!validate_instantiation(data, "BBitmap"))
		return NULL;
	return new BBitmap(data);
}


status_t
BBitmap::Archive(BMessage* data, bool deep) const
{
	if (!IsValid())
		return B_NO_INIT;
	status_t status = BArchivable::Archive(data, deep);
	if (status == B_OK)
		status = data->AddRect("_frame", fBounds);
	if (status == B_OK)
		status = data->AddInt32("_cspace", (int32)fColorSpace);
	if (status == B_OK)
		status = data->AddInt32("_bmflags", (int32)fFlags);
	if (status == B_OK)
		status = data->AddInt32("_rowbytes", fBytesPerRow);
	if (status == B_OK)
		status = data->AddData("_data", B_RAW_TYPE, fBits, fBitsLength);
	return status;
}


bool
BBitmap::Lock()
{
	if (fWindow != NULL)
		return fWindow->Lock();
	fLock.lock();
	fLockOwner = find_thread(NULL);
	fLockCount++;
	return true;
}


void
BBitmap::Unlock()
{
	if (fWindow != NULL) {
		fWindow->Unlock();
		return;
	}
	if (fLockOwner != find_thread(NULL))
		return;
	if (--fLockCount == 0)
		fLockOwner = -1;
	fLock.unlock();
}


bool
BBitmap::IsLocked() const
{
	if (fWindow != NULL)
		return fWindow->IsLocked();
	return fLockOwner == find_thread(NULL);
}


// #pragma mark - Views


void
BBitmap::AddChild(BView* view)
{
	if (fWindow != NULL)
		fWindow->AddChild(view);
}


bool
BBitmap::RemoveChild(BView* view)
{
	return fWindow != NULL && fWindow->RemoveChild(view);
}


int32
BBitmap::CountChildren() const
{
	return fWindow != NULL ? fWindow->CountChildren() : 0;
}


BView*
BBitmap::ChildAt(int32 index) const
{
	return fWindow != NULL ? fWindow->ChildAt(index) : NULL;
}


BView*
BBitmap::FindView(const char* viewName) const
{
	return fWindow != NULL ? fWindow->FindView(viewName) : NULL;
}


BView*
BBitmap::FindView(BPoint point) const
{
	if (fWindow == NULL || !fWindow->Bounds().Contains(point))
		return NULL;
	// The window's top view, the only one without a parent, is not the bitmap's.
	BView* view = fWindow->FindView(point);
	return view != NULL && view->Parent() != NULL ? view : NULL;
}


status_t
BBitmap::LockBits(uint32* state)
{
	return IsValid() ? B_OK : B_NO_INIT;
}


void
BBitmap::UnlockBits()
{
}


void
BBitmap::SetBits(const void* data, int32 length, int32 offset, color_space colorSpace)
{
	if (!IsValid() || data == NULL || length <= 0 || offset < 0 || offset >= fBitsLength)
		return;

	if (colorSpace == fColorSpace) {
		int32 count = length < fBitsLength - offset ? length : fBitsLength - offset;
		memcpy(fBits + offset, data, count);
		return;
	}
	if (offset != 0 || BPrivate::ColorSpaceFrom(colorSpace) == B_NO_COLOR_SPACE)
		return;

	// Converted data is read row by row, each row as long as the bitmap's width needs in
	// the data's space, until the data or the bitmap ends.
	int32 width = (int32)fBounds.Width() + 1;
	int32 height = (int32)fBounds.Height() + 1;
	int32 sourceRowBytes = BPrivate::MinimumBytesPerRow(colorSpace, width);
	const uint8* source = (const uint8*)data;
	for (int32 y = 0; y < height && (y + 1) * sourceRowBytes <= length; y++) {
		uint8* row = fBits + y * fBytesPerRow;
		for (int32 x = 0; x < width; x++) {
			BPrivate::WritePixel(row, x, fColorSpace,
				BPrivate::ReadPixel(source + y * sourceRowBytes, x, colorSpace));
		}
	}
}


status_t
BBitmap::ImportBits(const BBitmap* bitmap)
{
	if (!IsValid() || bitmap == NULL || !bitmap->IsValid())
		return B_BAD_VALUE;
	int32 width = (int32)fBounds.Width() + 1;
	int32 height = (int32)fBounds.Height() + 1;
	if ((int32)bitmap->Bounds().Width() + 1 != width
		|| (int32)bitmap->Bounds().Height() + 1 != height) {
		return B_BAD_VALUE;
	}
	const uint8* source = (const uint8*)bitmap->Bits();
	for (int32 y = 0; y < height; y++) {
		uint8* row = fBits + y * fBytesPerRow;
		const uint8* sourceRow = source + y * bitmap->BytesPerRow();
		for (int32 x = 0; x < width; x++) {
			BPrivate::WritePixel(row, x, fColorSpace,
				BPrivate::ReadPixel(sourceRow, x, bitmap->ColorSpace()));
		}
	}
	return B_OK;
}


void
BBitmap::Allocate(BRect bounds, uint32 flags, color_space colorSpace, int32 bytesPerRow)
{
	fInitStatus = B_BAD_VALUE;
	fBounds = bounds;
	fColorSpace = colorSpace;
	fFlags = flags;
	fBytesPerRow = 0;
	fBitsLength = 0;
	fBits = NULL;
	fWindow = NULL;
	fLockOwner = -1;
	fLockCount = 0;

	if (!bounds.IsValid() || !(bounds.Width() <= kMaxExtent)
		|| !(bounds.Height() <= kMaxExtent)) {
		return;
	}
	// A bitmap's size counts whole pixels from its left edge to its right edge.
	int32 width = (int32)bounds.Width() + 1;
	int32 height = (int32)bounds.Height() + 1;
	int32 minimum = BPrivate::MinimumBytesPerRow(colorSpace, width);
	if (minimum < 0)
		return;
	if (bytesPerRow == B_ANY_BYTES_PER_ROW)
		bytesPerRow = minimum;
	if (bytesPerRow < minimum || (int64)bytesPerRow * height > kMaxBitsLength)
		return;

	fBytesPerRow = bytesPerRow;
	fBitsLength = bytesPerRow * height;
	fBits = (uint8*)calloc(1, fBitsLength);
	if (fBits == NULL) {
		fInitStatus = B_NO_MEMORY;
		fBitsLength = 0;
		return;
	}
	if ((flags & B_BITMAP_CLEAR_TO_WHITE) != 0) {
		for (int32 y = 0; y < height; y++) {
			for (int32 x = 0; x < width; x++)
				BPrivate::WritePixel(fBits + y * fBytesPerRow, x, colorSpace,
					make_color(255, 255, 255));
		}
	}
	if ((flags & B_BITMAP_ACCEPTS_VIEWS) != 0)
		fWindow = BWindow::Private::CreateForBitmap(this);
	fInitStatus = B_OK;
}

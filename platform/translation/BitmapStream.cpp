#include <BitmapStream.h>

#include <Bitmap.h>
#include <ByteOrder.h>
#include <TranslationErrors.h>

#include <string.h>

#include <algorithm>

#include "translation/ImageData.h"


BBitmapStream::BBitmapStream(BBitmap* bitmap)
	:
	fBitmap(bitmap),
	fPosition(0),
	fSize(0),
	fDetached(false)
{
	fHeader = TranslatorBitmap();
	memset(fHeaderBytes, 0, sizeof(fHeaderBytes));
	if (fBitmap == NULL)
		return;
	fHeader.magic = B_TRANSLATOR_BITMAP;
	fHeader.bounds = fBitmap->Bounds();
	fHeader.rowBytes = (uint32)fBitmap->BytesPerRow();
	fHeader.colors = fBitmap->ColorSpace();
	fHeader.dataSize = (uint32)fBitmap->BitsLength();
	TranslatorBitmap swapped;
	SwapHeader(&fHeader, &swapped);
	memcpy(fHeaderBytes, &swapped, sizeof(fHeaderBytes));
	fSize = sizeof(TranslatorBitmap) + fHeader.dataSize;
}


BBitmapStream::~BBitmapStream()
{
	if (!fDetached)
		delete fBitmap;
}


ssize_t
BBitmapStream::ReadAt(off_t position, void* buffer, size_t size)
{
	if (fBitmap == NULL)
		return B_NO_INIT;
	if (buffer == NULL || position < 0)
		return B_BAD_VALUE;
	if ((size_t)position >= fSize)
		return 0;
	size = std::min(size, fSize - (size_t)position);
	uint8* out = (uint8*)buffer;
	size_t done = 0;
	if ((size_t)position < sizeof(TranslatorBitmap)) {
		done = std::min(size, sizeof(TranslatorBitmap) - (size_t)position);
		memcpy(out, fHeaderBytes + position, done);
	}
	if (done < size) {
		size_t offset = (size_t)position + done - sizeof(TranslatorBitmap);
		memcpy(out + done, (const uint8*)fBitmap->Bits() + offset, size - done);
	}
	return (ssize_t)size;
}


ssize_t
BBitmapStream::WriteAt(off_t position, const void* data, size_t size)
{
	if (data == NULL || position < 0)
		return B_BAD_VALUE;
	if (size == 0)
		return 0;
	const uint8* in = (const uint8*)data;
	size_t done = 0;
	if ((size_t)position < sizeof(TranslatorBitmap)) {
		// Header bytes arrive in order; a gap would leave the header undefined.
		if ((size_t)position > fSize && fBitmap == NULL)
			return B_BAD_VALUE;
		done = std::min(size, sizeof(TranslatorBitmap) - (size_t)position);
		memcpy(fHeaderBytes + position, in, done);
		if ((size_t)position + done == sizeof(TranslatorBitmap)) {
			status_t status = _MakeBitmap();
			if (status != B_OK)
				return status;
		} else if (fBitmap == NULL)
			fSize = std::max(fSize, (size_t)position + done);
	}
	if (done < size) {
		if (fBitmap == NULL)
			return B_ERROR;
		size_t offset = (size_t)position + done - sizeof(TranslatorBitmap);
		size_t length = (size_t)fBitmap->BitsLength();
		if (offset >= length)
			return B_BAD_VALUE;
		size_t count = std::min(size - done, length - offset);
		memcpy((uint8*)fBitmap->Bits() + offset, in + done, count);
		done += count;
	}
	if (fBitmap != NULL)
		fSize = std::max(fSize, (size_t)position + done);
	return (ssize_t)done;
}


off_t
BBitmapStream::Seek(off_t position, uint32 seekMode)
{
	off_t target;
	switch (seekMode) {
		case SEEK_SET:
			target = position;
			break;
		case SEEK_CUR:
			target = (off_t)fPosition + position;
			break;
		case SEEK_END:
			target = (off_t)fSize + position;
			break;
		default:
			return B_BAD_VALUE;
	}
	if (target < 0)
		return B_BAD_VALUE;
	fPosition = (size_t)target;
	return target;
}


off_t
BBitmapStream::Position() const
{
	return (off_t)fPosition;
}


off_t
BBitmapStream::Size() const
{
	return (off_t)fSize;
}


status_t
BBitmapStream::SetSize(off_t size)
{
	if (size < 0 || (size_t)size > fSize)
		return B_BAD_VALUE;
	// Shrinking into the header forgets the bitmap's place in it; the pixels stay.
	fSize = (size_t)size;
	if (fPosition > fSize)
		fPosition = fSize;
	return B_OK;
}


status_t
BBitmapStream::DetachBitmap(BBitmap** _bitmap)
{
	if (_bitmap == NULL)
		return B_BAD_VALUE;
	if (fBitmap == NULL || fDetached)
		return B_ERROR;
	*_bitmap = fBitmap;
	fDetached = true;
	fBitmap = NULL;
	return B_OK;
}


void
BBitmapStream::SwapHeader(const TranslatorBitmap* source, TranslatorBitmap* destination)
{
	destination->magic = B_SWAP_INT32(source->magic);
	destination->bounds.left = B_SWAP_FLOAT(source->bounds.left);
	destination->bounds.top = B_SWAP_FLOAT(source->bounds.top);
	destination->bounds.right = B_SWAP_FLOAT(source->bounds.right);
	destination->bounds.bottom = B_SWAP_FLOAT(source->bounds.bottom);
	destination->rowBytes = B_SWAP_INT32(source->rowBytes);
	destination->colors = (color_space)B_SWAP_INT32((uint32)source->colors);
	destination->dataSize = B_SWAP_INT32(source->dataSize);
}


status_t
BBitmapStream::_MakeBitmap()
{
	BMemoryIO bytes(fHeaderBytes, sizeof(fHeaderBytes));
	BPrivate::BitmapStreamHeader header;
	status_t status = BPrivate::read_bitmap_header(&bytes, &header);
	if (status != B_OK)
		return B_BAD_VALUE;
	if (fBitmap != NULL) {
		// The header written must describe the bitmap the stream was made with.
		if (fBitmap->Bounds() != header.bounds || fBitmap->ColorSpace() != header.space
			|| (uint32)fBitmap->BytesPerRow() != header.rowBytes)
			return B_MISMATCHED_VALUES;
		return B_OK;
	}
	BBitmap* bitmap = new BBitmap(header.bounds, header.space);
	if (bitmap->InitCheck() != B_OK || (uint32)bitmap->BytesPerRow() != header.rowBytes) {
		delete bitmap;
		return B_MISMATCHED_VALUES;
	}
	fBitmap = bitmap;
	fDetached = false;
	fHeader.magic = B_TRANSLATOR_BITMAP;
	fHeader.bounds = header.bounds;
	fHeader.rowBytes = header.rowBytes;
	fHeader.colors = header.space;
	fHeader.dataSize = header.rowBytes * (uint32)header.height;
	fSize = sizeof(TranslatorBitmap);
	return B_OK;
}

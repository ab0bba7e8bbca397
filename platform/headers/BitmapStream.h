// A bitmap seen as a bitmap stream (TranslatorBitmap header, then the pixels), so that a
// translator may read a bitmap or write one. Written to, the stream makes its bitmap once
// the header is complete. The stream owns its bitmap until DetachBitmap hands it over;
// deleting the stream deletes a bitmap still attached. One thread at a time.
#ifndef _BITMAP_STREAM_H
#define _BITMAP_STREAM_H

#include <DataIO.h>
#include <TranslationDefs.h>
#include <TranslatorFormats.h>

class BBitmap;

class BBitmapStream : public BPositionIO {
public:
								BBitmapStream(BBitmap* bitmap = NULL);
	virtual						~BBitmapStream();

	virtual	ssize_t				ReadAt(off_t position, void* buffer, size_t size);
	// B_BAD_VALUE for a header that describes no bitmap the kit can make (a bad colour
	// space, rows too short, a size past the cap), B_MISMATCHED_VALUES for a header that
	// does not fit the bitmap already attached, B_ERROR for pixels before the header.
	virtual	ssize_t				WriteAt(off_t position, const void* data, size_t size);
	virtual	off_t				Seek(off_t position, uint32 seekMode);
	virtual	off_t				Position() const;
			off_t				Size() const;
	// Only shrinking within what was written is allowed (B_BAD_VALUE otherwise).
	virtual	status_t			SetSize(off_t size);

	// Hands the bitmap to the caller, who then deletes it; B_ERROR when the stream has
	// none (yet) or already gave it away.
			status_t			DetachBitmap(BBitmap** _bitmap);

protected:
			void				SwapHeader(const TranslatorBitmap* source,
									TranslatorBitmap* destination);

			TranslatorBitmap	fHeader;
			BBitmap*			fBitmap;
			size_t				fPosition;
			size_t				fSize;
			bool				fDetached;

private:
								BBitmapStream(const BBitmapStream&);
			BBitmapStream&		operator=(const BBitmapStream&);

			status_t			_MakeBitmap();

			uint8				fHeaderBytes[sizeof(TranslatorBitmap)];
};

#endif // _BITMAP_STREAM_H

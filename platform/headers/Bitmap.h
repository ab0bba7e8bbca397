// A bitmap: a rectangle of pixels in one colour space, kept in the application's memory.
#ifndef _BITMAP_H
#define _BITMAP_H

#include <Archivable.h>
#include <GraphicsDefs.h>
#include <InterfaceDefs.h>
#include <OS.h>
#include <Rect.h>

#include <atomic>
#include <mutex>

class BView;
class BWindow;

enum {
	B_BITMAP_CLEAR_TO_WHITE				= 0x00000001,
	B_BITMAP_ACCEPTS_VIEWS				= 0x00000002,
	B_BITMAP_IS_AREA					= 0x00000004,
	B_BITMAP_IS_LOCKED					= 0x00000008 | B_BITMAP_IS_AREA,
	B_BITMAP_IS_CONTIGUOUS				= 0x00000010 | B_BITMAP_IS_LOCKED,
	B_BITMAP_IS_OFFSCREEN				= 0x00000020,
	B_BITMAP_WILL_OVERLAY				= 0x00000040 | B_BITMAP_IS_OFFSCREEN,
	B_BITMAP_RESERVE_OVERLAY_CHANNEL	= 0x00000080,
	B_BITMAP_NO_SERVER_LINK				= 0x00000100
};

// Options of BView::SetViewOverlay(). The kit scales overlays as view bitmaps, so the
// filters smooth the scaling (as B_FILTER_BITMAP_BILINEAR does) and the mirror flips the
// image left to right.
enum {
	B_OVERLAY_FILTER_HORIZONTAL	= 0x00010000,
	B_OVERLAY_FILTER_VERTICAL	= 0x00020000,
	B_OVERLAY_MIRROR			= 0x00040000,
	B_OVERLAY_TRANSFER_CHANNEL	= 0x00080000
};

#define B_ANY_BYTES_PER_ROW	-1

// Supported colour spaces: B_CMAP8 (indices into the system palette, 255 transparent),
// B_GRAY8, B_RGB32, B_RGBA32, B_RGB24, B_RGB16, B_RGB15 and B_RGBA15. Rows are padded to
// 4 bytes. The bitmap owns its pixels.
//
// A bitmap made with B_BITMAP_ACCEPTS_VIEWS (or acceptsViews) has an offscreen window of
// its own, without a thread: views added to it draw into its bits, which hold what they
// drew once a view (or its window) is flushed or synced. Its views are used, as any
// window's, with the bitmap locked. See docs/bitmaps.md.
class BBitmap : public BArchivable {
public:
							BBitmap(BRect bounds, uint32 flags, color_space colorSpace,
								int32 bytesPerRow = B_ANY_BYTES_PER_ROW,
								screen_id screenID = B_MAIN_SCREEN_ID);
							BBitmap(BRect bounds, color_space colorSpace,
								bool acceptsViews = false, bool needsContiguous = false);
							BBitmap(const BBitmap* source, bool acceptsViews = false,
								bool needsContiguous = false);
	// Rebuilds an archived bitmap; a bad archive leaves InitCheck() failing.
	explicit				BBitmap(BMessage* data);
	virtual					~BBitmap();

	static	BArchivable*	Instantiate(BMessage* data);
	virtual	status_t		Archive(BMessage* data, bool deep = true) const;

			status_t		InitCheck() const { return fInitStatus; }
			bool			IsValid() const { return fInitStatus == B_OK; }

			// A bitmap that accepts views locks its window; any other guards its pixels
			// for code that fills them on one thread while another draws them.
			bool			Lock();
			void			Unlock();
			bool			IsLocked() const;
			status_t		LockBits(uint32* state = NULL);
			void			UnlockBits();

			void*			Bits() const { return fBits; }
			int32			BitsLength() const { return fBitsLength; }
			int32			BytesPerRow() const { return fBytesPerRow; }
			color_space		ColorSpace() const { return fColorSpace; }
			BRect			Bounds() const { return fBounds; }
			uint32			Flags() const { return fFlags; }

			// Copies length bytes of data in colorSpace to the pixels, starting offset
			// bytes in. Data in the bitmap's own space is copied as is; B_CMAP8,
			// B_RGB32 and B_RGBA32 data is converted (then offset must be 0).
			void			SetBits(const void* data, int32 length, int32 offset,
								color_space colorSpace);
			// Copies the pixels of another bitmap of the same size, converting them.
			status_t		ImportBits(const BBitmap* bitmap);

			// The views of a bitmap that accepts views (nothing happens in any other).
			// AddChild() takes ownership and RemoveChild() gives it back; deleting the
			// bitmap deletes the views it still holds. Call them with the bitmap locked.
			void			AddChild(BView* view);
			bool			RemoveChild(BView* view);
			int32			CountChildren() const;
			BView*			ChildAt(int32 index) const;
			// Searches every view in the bitmap, by name or by the point (bitmap
			// coordinates, from the top left pixel) that it covers.
			BView*			FindView(const char* viewName) const;
			BView*			FindView(BPoint point) const;

private:
							BBitmap(const BBitmap&) = delete;
			BBitmap&		operator=(const BBitmap&) = delete;

			void			Allocate(BRect bounds, uint32 flags, color_space colorSpace,
								int32 bytesPerRow);

			status_t		fInitStatus;
			BRect			fBounds;
			color_space		fColorSpace;
			uint32			fFlags;
			int32			fBytesPerRow;
			int32			fBitsLength;
			uint8*			fBits;
			// The offscreen window of a bitmap that accepts views; NULL otherwise.
			BWindow*		fWindow;
			// The pixels' lock when there is no window, and its owner.
			std::recursive_mutex fLock;
			std::atomic<thread_id> fLockOwner;
			int32			fLockCount;
};

#endif // _BITMAP_H

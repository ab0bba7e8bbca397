// The pointer's look. A cursor is one of the system's shapes (BCursorID), or an image of
// the platform's cursor data: 68 bytes, the size in pixels (16), the bits per pixel (1),
// the hot spot's row and column, then 16 rows of 2 bytes for the colour (a set bit is
// black, a clear one white) and 16 rows of 2 bytes for the mask (a set bit is drawn),
// each row's leftmost pixel in the high bit of its first byte. BApplication::SetCursor()
// and BView::SetViewCursor() show it (docs/cursors.md).
#ifndef _CURSOR_H
#define _CURSOR_H

#include <Archivable.h>
#include <SupportDefs.h>

enum BCursorID {
	B_CURSOR_ID_SYSTEM_DEFAULT = 1,
	B_CURSOR_ID_CONTEXT_MENU = 3,
	B_CURSOR_ID_COPY = 4,
	B_CURSOR_ID_CREATE_LINK = 29,
	B_CURSOR_ID_CROSS_HAIR = 5,
	B_CURSOR_ID_FOLLOW_LINK = 6,
	B_CURSOR_ID_GRAB = 7,
	B_CURSOR_ID_GRABBING = 8,
	B_CURSOR_ID_HELP = 9,
	B_CURSOR_ID_I_BEAM = 2,
	B_CURSOR_ID_I_BEAM_HORIZONTAL = 10,
	B_CURSOR_ID_MOVE = 11,
	B_CURSOR_ID_NO_CURSOR = 12,
	B_CURSOR_ID_NOT_ALLOWED = 13,
	B_CURSOR_ID_PROGRESS = 14,
	B_CURSOR_ID_RESIZE_NORTH = 15,
	B_CURSOR_ID_RESIZE_EAST = 16,
	B_CURSOR_ID_RESIZE_SOUTH = 17,
	B_CURSOR_ID_RESIZE_WEST = 18,
	B_CURSOR_ID_RESIZE_NORTH_EAST = 19,
	B_CURSOR_ID_RESIZE_NORTH_WEST = 20,
	B_CURSOR_ID_RESIZE_SOUTH_EAST = 21,
	B_CURSOR_ID_RESIZE_SOUTH_WEST = 22,
	B_CURSOR_ID_RESIZE_NORTH_SOUTH = 23,
	B_CURSOR_ID_RESIZE_EAST_WEST = 24,
	B_CURSOR_ID_RESIZE_NORTH_EAST_SOUTH_WEST = 25,
	B_CURSOR_ID_RESIZE_NORTH_WEST_SOUTH_EAST = 26,
	B_CURSOR_ID_ZOOM_IN = 27,
	B_CURSOR_ID_ZOOM_OUT = 28
};

// The size of the platform's cursor data.
const size_t B_CURSOR_DATA_SIZE = 68;

class BCursor : public BArchivable {
public:
	// cursorData is the platform's 68-byte data, copied; data that is not a 16-pixel,
	// 1-bit cursor (or NULL) gives the system default.
							BCursor(const void* cursorData);
							BCursor(BCursorID id);
							BCursor(const BCursor& other);
	// From an archive made by Archive(): "be:cursor_id" (int32) or "be:cursor_data"
	// (B_RAW_TYPE, 68 bytes); anything else gives the system default.
							BCursor(BMessage* data);
	virtual					~BCursor();

	virtual	status_t		Archive(BMessage* into, bool deep = true) const;
	static	BArchivable*	Instantiate(BMessage* archive);

			BCursor&		operator=(const BCursor& other);
	// Equal when both are the same system shape, or images of the same data.
			bool			operator==(const BCursor& other) const;
			bool			operator!=(const BCursor& other) const;

			class Private;

private:
	friend class Private;

			void			_SetData(const void* cursorData);

			BCursorID		fCursorID;
			bool			fHasData;
			uint8			fData[B_CURSOR_DATA_SIZE];
};

#endif // _CURSOR_H

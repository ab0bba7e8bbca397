// What the kit reads of a cursor to show it: its system shape, or its image data.
#ifndef _CURSOR_PRIVATE_H
#define _CURSOR_PRIVATE_H

#include <Cursor.h>

class BCursor::Private {
public:
	explicit Private(const BCursor* cursor) : fCursor(cursor) {}

	BCursorID ID() const { return fCursor->fCursorID; }
	// The 68 bytes of the image, or NULL for a system shape.
	const uint8* Data() const { return fCursor->fHasData ? fCursor->fData : NULL; }

private:
	const BCursor* fCursor;
};

#endif // _CURSOR_PRIVATE_H

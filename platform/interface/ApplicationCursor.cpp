// BApplication's cursor calls: the display keeps the process's cursor and shows it over
// every window of the process (docs/cursors.md).
#include <Application.h>

#include "display/Display.h"
#include "interface/CursorShape.h"

#include <Cursor.h>


void
BApplication::SetCursor(const void* cursor)
{
	BCursor shape(cursor);
	SetCursor(&shape, true);
}


void
BApplication::SetCursor(const BCursor* cursor, bool sync)
{
	BPrivate::Display::Default()->SetCursor(BPrivate::cursor_shape_of(cursor), sync);
}


void
BApplication::ShowCursor()
{
	BPrivate::Display::Default()->SetCursorHidden(false);
}


void
BApplication::HideCursor()
{
	BPrivate::Display::Default()->SetCursorHidden(true);
}


void
BApplication::ObscureCursor()
{
	BPrivate::Display::Default()->ObscureCursor();
}


bool
BApplication::IsCursorHidden() const
{
	return BPrivate::Display::Default()->IsCursorHidden();
}

// A BCursor as the display shows it.
#ifndef _CURSOR_SHAPE_H
#define _CURSOR_SHAPE_H

#include "display/Display.h"

class BCursor;

namespace BPrivate {

// The system default for NULL.
DisplayCursor cursor_shape_of(const BCursor* cursor);

} // namespace BPrivate

#endif // _CURSOR_SHAPE_H

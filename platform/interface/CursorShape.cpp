#include "interface/CursorShape.h"

#include "app/CursorPrivate.h"

#include <string.h>

namespace BPrivate {

DisplayCursor
cursor_shape_of(const BCursor* cursor)
{
	DisplayCursor shape;
	if (cursor == NULL)
		return shape;
	BCursor::Private access(cursor);
	shape.id = access.ID();
	if (const uint8* data = access.Data()) {
		shape.hasImage = true;
		memcpy(shape.image, data, sizeof(shape.image));
	}
	return shape;
}

} // namespace BPrivate

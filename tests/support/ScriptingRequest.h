// Scripting requests as a test sends them to a window.
#ifndef _SCRIPTING_REQUEST_H
#define _SCRIPTING_REQUEST_H

#include <Message.h>

// A request (what: B_GET_PROPERTY, B_SET_PROPERTY ...) for property of the window's view
// named view; a set adds its "data" to the result.
inline BMessage
view_property_request(uint32 what, const char* property, const char* view)
{
	BMessage message(what);
	message.AddSpecifier(property);
	message.AddSpecifier("View", view);
	return message;
}

#endif // _SCRIPTING_REQUEST_H

// Reading a typed value written by a user after "to" in a request to send:
//	"text"					a string (everything between the first and the last double quote)
//	42, -7					an int32 (an int64 when it does not fit in 32 bits)
//	1.5, -2e3				a float
//	true, false				a bool
//	BPoint(x, y)			a point
//	BRect(l, t, r, b)		a rectangle
#ifndef VALUE_PARSER_H
#define VALUE_PARSER_H

#include <String.h>
#include <SupportDefs.h>

class BMessage;

// Adds the value in text to message under field. B_BAD_VALUE, with problem saying what was
// expected, when text is none of the forms; nothing is added then.
status_t parse_value(const char* text, BMessage* message, const char* field,
	BString* problem);

#endif // VALUE_PARSER_H

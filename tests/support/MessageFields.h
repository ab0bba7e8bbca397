// Reading a message's fields in an assertion, where a missing field is as good as empty.
#ifndef _MESSAGE_FIELDS_H
#define _MESSAGE_FIELDS_H

#include <Message.h>

#include <string>

// The string field name at index in message, or "" when there is none.
inline std::string
string_field(const BMessage& message, const char* name, int32 index = 0)
{
	const char* string = NULL;
	message.FindString(name, index, &string);
	return string != NULL ? string : "";
}

#endif // _MESSAGE_FIELDS_H

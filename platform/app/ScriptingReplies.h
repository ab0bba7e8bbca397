// What every scripting suite of the kit shares: finding the row of its property table that
// a request names, its answers to requests, and its entry in a supported-suites reply.
//
// Each row of a property table carries a tag in its extra_data: a value of an enum of the
// class, starting at 1. ResolveSpecifier and MessageReceived switch on the tag that the
// match returns, never on the row's position or name, so that reordering or adding a row
// cannot rewire another. A row without a tag (0) answers nothing.
#ifndef _SCRIPTING_REPLIES_H
#define _SCRIPTING_REPLIES_H

#include <Message.h>
#include <PropertyInfo.h>
#include <Rect.h>

namespace BPrivate {

// The tag of a table that stands for "no row matched".
const uint32 kNoProperty = 0;

// The tag of the first row of properties that the specifier (as ResolveSpecifier is given
// it) and the message's command match; kNoProperty when none does.
uint32 match_property(BMessage* message, int32 index, BMessage* specifier, int32 form,
	const char* property, const property_info* properties);

// The same for the message's current specifier; kNoProperty for a message that is no
// scripting request.
uint32 match_property(BMessage* message, const property_info* properties);

// Sends reply with "error" set to error (B_REPLY when the reply is empty of a what).
void reply_result(BMessage* message, BMessage* reply, status_t error);

// A B_MESSAGE_NOT_UNDERSTOOD reply with "error" and the sentence "message".
void reply_error(BMessage* message, status_t error, const char* text);

// The value of a set request's "data"; B_BAD_VALUE, the error every suite answers such a
// request with, when it has no "data" of that type.
status_t find_data(const BMessage* message, bool* value);
status_t find_data(const BMessage* message, int32* value);
status_t find_data(const BMessage* message, const char** value);
status_t find_data(const BMessage* message, BRect* value);

// Adds the suite and its flattened table to a supported-suites reply; B_BAD_VALUE
// without one.
status_t add_suite(BMessage* data, const char* suite, const property_info* properties);

} // namespace BPrivate

#endif // _SCRIPTING_REPLIES_H

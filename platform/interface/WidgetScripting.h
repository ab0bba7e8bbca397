// What the widgets' scripting suites share: finding which row of a property table the
// current specifier of a request names, and answering.
#ifndef _WIDGET_SCRIPTING_H
#define _WIDGET_SCRIPTING_H

#include <Message.h>
#include <PropertyInfo.h>

namespace BPrivate {

// The row of properties that the message's current specifier and command match; -1 for
// a message that is no scripting request or that no row matches.
int32 match_property(BMessage* message, const property_info* properties);

// Sends reply with "error" set to error (B_REPLY when the reply is empty of a what).
void reply_result(BMessage* message, BMessage* reply, status_t error);

// A B_MESSAGE_NOT_UNDERSTOOD reply with "error" and the sentence "message".
void reply_error(BMessage* message, status_t error, const char* text);

// Adds the suite and its flattened table to a supported-suites reply.
status_t add_suite(BMessage* data, const char* suite, const property_info* properties);

} // namespace BPrivate

#endif // _WIDGET_SCRIPTING_H

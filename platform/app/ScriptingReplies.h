// What every scripting suite of the kit shares: its answers to requests, and its entry in
// a supported-suites reply.
#ifndef _SCRIPTING_REPLIES_H
#define _SCRIPTING_REPLIES_H

#include <Message.h>
#include <PropertyInfo.h>

namespace BPrivate {

// Sends reply with "error" set to error (B_REPLY when the reply is empty of a what).
void reply_result(BMessage* message, BMessage* reply, status_t error);

// A B_MESSAGE_NOT_UNDERSTOOD reply with "error" and the sentence "message".
void reply_error(BMessage* message, status_t error, const char* text);

// Adds the suite and its flattened table to a supported-suites reply; B_BAD_VALUE
// without one.
status_t add_suite(BMessage* data, const char* suite, const property_info* properties);

} // namespace BPrivate

#endif // _SCRIPTING_REPLIES_H

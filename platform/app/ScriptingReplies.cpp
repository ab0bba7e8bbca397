#include "app/ScriptingReplies.h"

#include <AppDefs.h>

namespace BPrivate {

void
reply_result(BMessage* message, BMessage* reply, status_t error)
{
	if (reply->what == 0)
		reply->what = B_REPLY;
	reply->AddInt32("error", error);
	message->SendReply(reply);
}


void
reply_error(BMessage* message, status_t error, const char* text)
{
	BMessage reply(B_MESSAGE_NOT_UNDERSTOOD);
	reply.AddInt32("error", error);
	reply.AddString("message", text);
	message->SendReply(&reply);
}


status_t
add_suite(BMessage* data, const char* suite, const property_info* properties)
{
	if (data == NULL)
		return B_BAD_VALUE;
	status_t status = data->AddString("suites", suite);
	BPropertyInfo info(const_cast<property_info*>(properties));
	if (status == B_OK)
		status = data->AddFlat("messages", &info);
	return status;
}

} // namespace BPrivate

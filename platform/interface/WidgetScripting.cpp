// Shared answers of the widgets' scripting suites.
#include "interface/WidgetScripting.h"

#include <AppDefs.h>

namespace BPrivate {

int32
match_property(BMessage* message, const property_info* properties)
{
	if (message == NULL || !message->HasSpecifiers())
		return -1;
	BMessage specifier;
	int32 index;
	int32 form;
	const char* property;
	if (message->GetCurrentSpecifier(&index, &specifier, &form, &property) != B_OK)
		return -1;
	BPropertyInfo info(const_cast<property_info*>(properties));
	return info.FindMatch(message, index, &specifier, form, property);
}


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

#include "app/ScriptingReplies.h"

#include <AppDefs.h>

namespace BPrivate {

uint32
match_property(BMessage* message, int32 index, BMessage* specifier, int32 form,
	const char* property, const property_info* properties)
{
	BPropertyInfo info(const_cast<property_info*>(properties));
	uint32 tag = kNoProperty;
	if (info.FindMatch(message, index, specifier, form, property, &tag) < 0)
		return kNoProperty;
	return tag;
}


uint32
match_property(BMessage* message, const property_info* properties)
{
	if (message == NULL || !message->HasSpecifiers())
		return kNoProperty;
	BMessage specifier;
	int32 index;
	int32 form;
	const char* property;
	if (message->GetCurrentSpecifier(&index, &specifier, &form, &property) != B_OK)
		return kNoProperty;
	return match_property(message, index, &specifier, form, property, properties);
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
find_data(const BMessage* message, bool* value)
{
	return message->FindBool("data", value) == B_OK ? B_OK : B_BAD_VALUE;
}


status_t
find_data(const BMessage* message, int32* value)
{
	return message->FindInt32("data", value) == B_OK ? B_OK : B_BAD_VALUE;
}


status_t
find_data(const BMessage* message, const char** value)
{
	return message->FindString("data", value) == B_OK ? B_OK : B_BAD_VALUE;
}


status_t
find_data(const BMessage* message, BRect* value)
{
	return message->FindRect("data", value) == B_OK ? B_OK : B_BAD_VALUE;
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

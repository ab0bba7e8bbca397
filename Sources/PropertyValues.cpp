#include "PropertyValues.h"

#include <AppDefs.h>
#include <PropertyInfo.h>

#include <string.h>

#include <algorithm>

#include "OwnThread.h"
#include "ScriptingUtils.h"


const char* kNoAnswer = "(no answer)";


static bool
Lists(const uint32* codes, uint32 code)
{
	for (int32 i = 0; i < 10 && codes[i] != 0; i++) {
		if (codes[i] == code)
			return true;
	}
	return false;
}


std::vector<std::string>
ReadableProperties(const BMessage* suites)
{
	std::vector<std::string> properties;
	const void* data;
	ssize_t size;
	for (int32 i = 0; suites->FindData("messages", B_PROPERTY_INFO_TYPE, i, &data, &size)
			== B_OK; i++) {
		BPropertyInfo info(NULL, NULL);
		if (info.Unflatten(B_PROPERTY_INFO_TYPE, data, size) != B_OK)
			continue;
		for (int32 j = 0; j < info.CountProperties(); j++) {
			const property_info& property = info.Properties()[j];
			if (property.name == NULL || !Lists(property.commands, B_GET_PROPERTY)
				|| !Lists(property.specifiers, B_DIRECT_SPECIFIER))
				continue;
			if (std::find(properties.begin(), properties.end(), property.name)
					== properties.end())
				properties.push_back(property.name);
		}
	}
	return properties;
}


BString
ValueText(status_t status, const BMessage& reply)
{
	if (status == B_TIMED_OUT || status == B_WOULD_BLOCK || reply.what == B_NO_REPLY)
		return kNoAnswer;
	if (status != B_OK)
		return strerror(status);

	type_code type;
	int32 count;
	if (reply.GetInfo("result", &type, &count) == B_OK) {
		BString text;
		const void* data;
		ssize_t size;
		for (int32 i = 0; i < count
				&& reply.FindData("result", type, i, &data, &size) == B_OK; i++) {
			if (i > 0)
				text << ", ";
			char* item = format_data(type, data, (int32)size);
			text << item;
			delete[] item;
		}
		return text;
	}

	int32 error;
	if (reply.FindInt32("error", &error) != B_OK || error == B_OK)
		return "(no value)";
	BString text(strerror(error));
	const char* message;
	if (reply.FindString("message", &message) == B_OK)
		text << ": " << message;
	return printable_str(text);
}


PropertyValueFetch::PropertyValueFetch(const BMessenger& target, const BMessage& access,
	const std::vector<std::string>& properties, const BMessenger& receiver, int32 fetch)
	:
	fTarget(target),
	fAccess(access),
	fProperties(properties),
	fReceiver(receiver),
	fFetch(fetch),
	fCanceled(std::make_shared<std::atomic<bool>>(false))
{
}


thread_id
PropertyValueFetch::Start(const char* threadName)
{
	return start_own_thread<&PropertyValueFetch::_Fetch>(this, threadName);
}


void
PropertyValueFetch::_Fetch()
{
	for (size_t i = 0; i < fProperties.size() && !*fCanceled; i++) {
		BMessage request(B_GET_PROPERTY);
		request.AddSpecifier(fProperties[i].c_str());
		BMessage specifier;
		for (int32 j = 0; fAccess.FindMessage("specifiers", j, &specifier) == B_OK; j++)
			request.AddSpecifier(&specifier);
		BMessage reply;
		status_t status = fTarget.SendMessage(&request, &reply, kValueRequestTimeout,
			kValueRequestTimeout);
		if (*fCanceled)
			break;

		BMessage answer(kMsgPropertyValue);
		answer.AddInt32("fetch", fFetch);
		answer.AddInt32("index", (int32)i);
		answer.AddString("text", ValueText(status, reply));
		type_code type;
		if (status == B_OK && reply.GetInfo("result", &type) == B_OK) {
			answer.AddInt32("type", (int32)type);
			const char* raw;
			if (reply.FindString("result", &raw) == B_OK)
				answer.AddString("raw", raw);
		}
		fReceiver.SendMessage(&answer);
	}

	BMessage done(kMsgValuesDone);
	done.AddInt32("fetch", fFetch);
	done.AddInt32("thread", find_thread(NULL));
	fReceiver.SendMessage(&done);
}

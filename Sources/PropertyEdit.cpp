#include "PropertyEdit.h"

#include <AppDefs.h>
#include <PropertyInfo.h>

#include <string.h>

#include "OwnThread.h"
#include "PropertyValues.h"
#include "RequestDiagnosis.h"
#include "ValueParser.h"


static bool
Lists(const uint32* codes, uint32 code)
{
	for (int32 i = 0; i < 10 && codes[i] != 0; i++) {
		if (codes[i] == code)
			return true;
	}
	return false;
}


bool
IsSettableProperty(const BMessage* suites, const char* property)
{
	const void* data;
	ssize_t size;
	for (int32 i = 0; suites->FindData("messages", B_PROPERTY_INFO_TYPE, i, &data, &size)
			== B_OK; i++) {
		BPropertyInfo info(NULL, NULL);
		if (info.Unflatten(B_PROPERTY_INFO_TYPE, data, size) != B_OK)
			continue;
		for (int32 j = 0; j < info.CountProperties(); j++) {
			const property_info& row = info.Properties()[j];
			if (row.name != NULL && strcmp(row.name, property) == 0
				&& Lists(row.commands, B_SET_PROPERTY)
				&& Lists(row.specifiers, B_DIRECT_SPECIFIER))
				return true;
		}
	}
	return false;
}


status_t
ReadEditedValue(const char* text, type_code type, BMessage* request, BString* problem)
{
	if (type == B_STRING_TYPE)
		return request->AddString("data", text);
	return parse_value(text, request, "data", problem);
}


PropertyEdit::PropertyEdit(const BMessenger& target, const BMessage& access,
	const char* property, const BMessage& data, const char* application,
	const BMessenger& receiver, int32 fetch, int32 index)
	:
	fTarget(target),
	fAccess(access),
	fProperty(property),
	fData(data),
	fApplication(application),
	fReceiver(receiver),
	fFetch(fetch),
	fIndex(index)
{
}


thread_id
PropertyEdit::Start()
{
	return start_own_thread<&PropertyEdit::_Edit>(this, "property edit");
}


void
PropertyEdit::_Edit()
{
	BMessage request(fData);
	request.what = B_SET_PROPERTY;
	request.AddSpecifier(fProperty.c_str());
	BMessage specifier;
	for (int32 i = 0; fAccess.FindMessage("specifiers", i, &specifier) == B_OK; i++)
		request.AddSpecifier(&specifier);

	BMessage answer(kMsgValueEdited);
	answer.AddInt32("fetch", fFetch);
	answer.AddInt32("index", fIndex);
	answer.AddInt32("thread", find_thread(NULL));

	BMessage reply;
	status_t status = fTarget.SendMessage(&request, &reply, kValueRequestTimeout,
		kValueRequestTimeout);
	int32 error = B_OK;
	reply.FindInt32("error", &error);
	if (status != B_OK || reply.what == B_NO_REPLY || error != B_OK
		|| reply.what == B_MESSAGE_NOT_UNDERSTOOD) {
		BString why;
		if (status == B_OK && is_unresolved_reply(reply)) {
			why = explain_unresolved_request(fTarget, request, fApplication.String(),
				kValueRequestTimeout);
		}
		if (why.Length() == 0)
			why = ValueText(status, reply);
		answer.AddString("error", why);
		fReceiver.SendMessage(&answer);
		return;
	}

	// The value read back is the one the target keeps, which may differ from the one sent.
	request.what = B_GET_PROPERTY;
	request.RemoveName("data");
	reply.MakeEmpty();
	status = fTarget.SendMessage(&request, &reply, kValueRequestTimeout,
		kValueRequestTimeout);
	answer.AddString("text", ValueText(status, reply));
	fReceiver.SendMessage(&answer);
}

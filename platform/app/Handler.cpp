#include <Handler.h>

#include <AppDefs.h>
#include <Looper.h>
#include <Message.h>
#include <Messenger.h>
#include <PropertyInfo.h>

#include <stdlib.h>
#include <string.h>

#include "app/ObserverList.h"
#include "app/ScriptingReplies.h"
#include "app/TokenSpace.h"

namespace {

// The tags of the rows below (their extra_data).
enum {
	kSuitesProperty = 1,
	kMessengerProperty,
	kInternalNameProperty
};

property_info stHandlerProperties[] = {
	{ "Suites", { B_GET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"Returns the names of the suites this handler supports.", kSuitesProperty,
		{ B_STRING_TYPE }, {}, {} },
	{ "Messenger", { B_GET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"Returns a messenger to this handler.", kMessengerProperty, { B_MESSENGER_TYPE },
		{}, {} },
	{ "InternalName", { B_GET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"Returns the name of this handler.", kInternalNameProperty, { B_STRING_TYPE }, {},
		{} },
	{}
};


// Answers the request for the handler suite's property tagged tag into reply; false for
// other tags.
bool
answer_handler_property(BHandler* handler, uint32 tag, BMessage& reply)
{
	switch (tag) {
		case kSuitesProperty:
		{
			BMessage suites;
			handler->GetSupportedSuites(&suites);
			const char* suite;
			for (int32 i = 0; suites.FindString("suites", i, &suite) == B_OK; i++)
				reply.AddString("result", suite);
			return true;
		}
		case kMessengerProperty:
			reply.AddMessenger("result", BMessenger(handler));
			return true;
		case kInternalNameProperty:
			reply.AddString("result", handler->Name() != NULL ? handler->Name() : "");
			return true;
	}
	return false;
}

} // namespace


BHandler::BHandler(const char* name)
{
	_Init(name);
}


BHandler::BHandler(BMessage* archive)
	:
	BArchivable(archive)
{
	const char* name = NULL;
	if (archive != NULL)
		archive->FindString("_name", &name);
	_Init(name);
}


void
BHandler::_Init(const char* name)
{
	fName = name != NULL ? strdup(name) : NULL;
	fLooper = NULL;
	fNextHandler = NULL;
	fToken = BPrivate::new_handler_token(this);
}


BHandler::~BHandler()
{
	if (fLooper != NULL && fLooper != this)
		fLooper->RemoveHandler(this);
	SetFilterList(NULL);
	delete fObservers;
	BPrivate::remove_handler_token(fToken);
	free(fName);
}


BArchivable*
BHandler::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BHandler"))
		return NULL;
	return new BHandler(archive);
}


status_t
BHandler::Archive(BMessage* into, bool deep) const
{
	status_t status = BArchivable::Archive(into, deep);
	if (status == B_OK && fName != NULL)
		status = into->AddString("_name", fName);
	return status;
}


void
BHandler::MessageReceived(BMessage* message)
{
	if (_HandleObserving(message))
		return;

	switch (message->what) {
		case B_GET_PROPERTY:
		{
			BMessage reply(B_REPLY);
			if (answer_handler_property(this,
					BPrivate::match_property(message, stHandlerProperties), reply)) {
				BPrivate::reply_result(message, &reply, B_OK);
				return;
			}
			break;
		}

		case B_GET_SUPPORTED_SUITES:
		{
			BMessage reply(B_REPLY);
			status_t status = GetSupportedSuites(&reply);
			reply.AddInt32("error", status);
			message->SendReply(&reply);
			return;
		}
	}

	if (fNextHandler != NULL) {
		fNextHandler->MessageReceived(message);
		return;
	}

	if (message->what != B_MESSAGE_NOT_UNDERSTOOD
		&& (message->WasDropped() || message->HasSpecifiers())) {
		BPrivate::reply_error(message, B_BAD_SCRIPT_SYNTAX,
			"Didn't understand the specifier(s)");
	}
}


BLooper*
BHandler::Looper() const
{
	return fLooper;
}


void
BHandler::SetName(const char* name)
{
	free(fName);
	fName = name != NULL ? strdup(name) : NULL;
}


const char*
BHandler::Name() const
{
	return fName;
}


void
BHandler::SetNextHandler(BHandler* handler)
{
	if (handler == this || (handler != NULL && handler->Looper() != fLooper))
		return;
	fNextHandler = handler;
}


BHandler*
BHandler::NextHandler() const
{
	return fNextHandler;
}


bool
BHandler::LockLooper()
{
	return LockLooperWithTimeout(B_INFINITE_TIMEOUT) == B_OK;
}


status_t
BHandler::LockLooperWithTimeout(bigtime_t timeout)
{
	BLooper* looper = fLooper;
	if (looper == NULL)
		return B_BAD_VALUE;
	status_t status = looper->LockWithTimeout(timeout);
	if (status != B_OK)
		return status;
	// The handler may have moved while we waited.
	if (fLooper != looper) {
		looper->Unlock();
		return B_MISMATCHED_VALUES;
	}
	return B_OK;
}


void
BHandler::UnlockLooper()
{
	if (fLooper != NULL)
		fLooper->Unlock();
}


BHandler*
BHandler::ResolveSpecifier(BMessage* message, int32 index, BMessage* specifier,
	int32 form, const char* property)
{
	if (BPrivate::match_property(message, index, specifier, form, property,
			stHandlerProperties) != BPrivate::kNoProperty) {
		return this;
	}

	BPrivate::reply_error(message, B_BAD_SCRIPT_SYNTAX, "Didn't understand the specifier(s)");
	return NULL;
}


status_t
BHandler::GetSupportedSuites(BMessage* data)
{
	return BPrivate::add_suite(data, "suite/vnd.Be-handler", stHandlerProperties);
}


void
BHandler::_SetLooper(BLooper* looper)
{
	fLooper = looper;
	if (looper == NULL)
		fNextHandler = NULL;
}

#include <Looper.h>

#include <AppDefs.h>
#include <Autolock.h>
#include <Message.h>
#include <MessageQueue.h>
#include <Messenger.h>
#include <PropertyInfo.h>

#include <string.h>
#include <unistd.h>

#include "app/HandlerPrivate.h"
#include "app/LinkHub.h"
#include "app/LooperList.h"
#include "app/MessageDelivery.h"
#include "app/MessageFiltering.h"
#include "app/RosterPrivate.h"
#include "app/ScriptingReplies.h"
#include "support/ThreadControl.h"

using BPrivate::LooperList::LockFor;

namespace {

// The tags of the rows below (their extra_data).
enum {
	kHandlerProperty = 1,
	kHandlersProperty,
	kHandlerCountProperty
};

property_info stLooperProperties[] = {
	{ "Handler", {}, { B_INDEX_SPECIFIER, B_REVERSE_INDEX_SPECIFIER },
		"Resolves to the handler at the given index.", kHandlerProperty, {}, {}, {} },
	{ "Handlers", { B_GET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"Returns messengers to all of the looper's handlers.", kHandlersProperty,
		{ B_MESSENGER_TYPE }, {}, {} },
	{ "Handler", { B_COUNT_PROPERTIES }, { B_DIRECT_SPECIFIER },
		"Returns the number of the looper's handlers.", kHandlerCountProperty,
		{ B_INT32_TYPE }, {}, {} },
	{}
};


// Whether a specifier remains to be resolved; popping them all leaves the stack itself.
bool
has_current_specifier(const BMessage* message)
{
	int32 index;
	return message->HasSpecifiers() && message->GetCurrentSpecifier(&index) == B_OK;
}


} // namespace


BLooper::BLooper(const char* name, int32 priority, int32 portCapacity)
	:
	BHandler(name),
	fPort(BPrivate::Port::Create(portCapacity)),
	fQueue(new BMessageQueue),
	fLastMessage(NULL),
	fPreferred(NULL),
	fThread(-1),
	fInitPriority(priority),
	fTerminating(false),
	fRunCalled(false)
{
	BPrivate::LooperList::Add(this, fPort->ID());
	// A new looper belongs to the thread that made it until Run.
	Lock();
	AddHandler(this);
}


BLooper::~BLooper()
{
	fPort->Close();
	// Deleting the messages not dispatched answers their waiting senders (B_NO_REPLY).
	delete fQueue;
	fQueue = NULL;
	delete fLastMessage;
	fLastMessage = NULL;

	for (int32 i = fHandlers.CountItems() - 1; i >= 0; i--) {
		BHandler* handler = static_cast<BHandler*>(fHandlers.ItemAt(i));
		handler->_SetLooper(NULL);
	}
	fHandlers.MakeEmpty();
	SetCommonFilterList(NULL);
	BPrivate::LooperList::Remove(this);
}


status_t
BLooper::PostMessage(uint32 command)
{
	BMessage message(command);
	return _Post(&message, NULL, NULL);
}


status_t
BLooper::PostMessage(BMessage* message)
{
	return _Post(message, NULL, NULL);
}


status_t
BLooper::PostMessage(uint32 command, BHandler* handler, BHandler* replyTo)
{
	BMessage message(command);
	return _Post(&message, handler, replyTo);
}


status_t
BLooper::PostMessage(BMessage* message, BHandler* handler, BHandler* replyTo)
{
	return _Post(message, handler, replyTo);
}


status_t
BLooper::_Post(BMessage* message, BHandler* handler, BHandler* replyTo)
{
	if (message == NULL)
		return B_BAD_VALUE;
	if (handler != NULL && handler->Looper() != this)
		return B_MISMATCHED_VALUES;

	BMessenger target(handler != NULL ? handler : NULL, this);
	BMessenger replyMessenger;
	if (replyTo != NULL)
		replyMessenger.SetTo(replyTo);
	return target.SendMessage(message, replyMessenger, 0);
}


void
BLooper::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (message->what == B_QUIT_REQUESTED && handler == this) {
		if (fPort == BPrivate::Port::Find(BPrivate::kMainPort))
			BPrivate::LinkHub::QuitRequestTaken();
		bool shouldQuit = QuitRequested();
		if (message->IsSourceWaiting()) {
			BMessage reply(B_REPLY);
			reply.AddBool("result", shouldQuit);
			message->SendReply(&reply);
		}
		if (shouldQuit)
			Quit();
		return;
	}
	handler->MessageReceived(message);
}


void
BLooper::MessageReceived(BMessage* message)
{
	BMessage reply(B_REPLY);
	switch (BPrivate::match_property(message, stLooperProperties)) {
		case kHandlersProperty:
			for (int32 i = 0; i < CountHandlers(); i++)
				reply.AddMessenger("result", BMessenger(HandlerAt(i)));
			BPrivate::reply_result(message, &reply, B_OK);
			return;
		case kHandlerCountProperty:
			reply.AddInt32("result", CountHandlers());
			BPrivate::reply_result(message, &reply, B_OK);
			return;
	}
	BHandler::MessageReceived(message);
}


BMessage*
BLooper::CurrentMessage() const
{
	return fLastMessage;
}


BMessage*
BLooper::DetachCurrentMessage()
{
	BMessage* message = fLastMessage;
	fLastMessage = NULL;
	return message;
}


bool
BLooper::IsMessageWaiting() const
{
	return !fQueue->IsEmpty() || fPort->Count() > 0;
}


BMessageQueue*
BLooper::MessageQueue() const
{
	return fQueue;
}


bool
BLooper::_WaitForMessage(bigtime_t timeout)
{
	if (!fQueue->IsEmpty())
		return true;
	BMessage* message = fPort->Read(timeout);
	if (message == NULL)
		return false;
	fQueue->AddMessage(message);
	return true;
}


BMessage*
BLooper::_TakeNextMessage()
{
	// The queue holds at most what the port could, so that a sender that fills the port
	// again and again cannot grow it.
	while (fQueue->CountMessages() < fPort->Capacity()) {
		BMessage* message = fPort->Read(0);
		if (message == NULL)
			break;
		fQueue->AddMessage(message);
	}
	return fQueue->NextMessage();
}


void
BLooper::AddHandler(BHandler* handler)
{
	if (handler == NULL || handler->Looper() != NULL)
		return;
	fHandlers.AddItem(handler);
	handler->_SetLooper(this);
}


bool
BLooper::RemoveHandler(BHandler* handler)
{
	if (handler == NULL || handler == this || handler->Looper() != this)
		return false;
	fHandlers.RemoveItem(handler);
	handler->_SetLooper(NULL);
	if (fPreferred == handler)
		fPreferred = NULL;
	return true;
}


int32
BLooper::CountHandlers() const
{
	return fHandlers.CountItems();
}


BHandler*
BLooper::HandlerAt(int32 index) const
{
	return static_cast<BHandler*>(fHandlers.ItemAt(index));
}


int32
BLooper::IndexOf(BHandler* handler) const
{
	return fHandlers.IndexOf(handler);
}


BHandler*
BLooper::PreferredHandler() const
{
	return fPreferred;
}


void
BLooper::SetPreferredHandler(BHandler* handler)
{
	if (handler != NULL && handler->Looper() != this)
		return;
	fPreferred = handler;
}


thread_id
BLooper::Run()
{
	if (fRunCalled)
		return fThread;
	fRunCalled = true;

	const char* name = Name() != NULL ? Name() : "looper";
	fThread = spawn_thread(_ThreadEntry, name, fInitPriority, this);
	if (fThread < 0)
		return fThread;
	BPrivate::LooperList::SetThread(this, fThread);
	Unlock();
	resume_thread(fThread);
	return fThread;
}


status_t
BLooper::_ThreadEntry(void* data)
{
	BLooper* looper = static_cast<BLooper*>(data);
	looper->_RunLoop();
	// The loop ends only through Quit, which leaves the looper to its thread.
	looper->Lock();
	delete looper;
	return B_OK;
}


void
BLooper::_RunLoop()
{
	while (!fTerminating) {
		if (!_WaitForMessage(B_INFINITE_TIMEOUT))
			break;
		BAutolock lock(this);
		if (!lock.IsLocked())
			break;
		if (BMessage* message = _TakeNextMessage())
			_DispatchOne(message);
	}
}


// Dispatches message (which it deletes) with the looper locked. A message may run a loop
// of its own through BLooper::Private (a pop-up menu waiting for its choice), so the
// current message is restored afterwards.
void
BLooper::_DispatchOne(BMessage* message)
{
	BMessage* outer = fLastMessage;
	fLastMessage = message;
	// Only the process itself ends its loopers; another that sends _QUIT_ is ignored.
	if (message->what == _QUIT_ && !message->IsSourceRemote()) {
		fTerminating = true;
	} else if (!BRoster::Private::IsForgedNotice(message)) {
		BHandler* handler = _TargetFor(message);
		if (handler != NULL && BPrivate::filter_message(this, message, &handler))
			DispatchMessage(message, handler);
	}

	// Deleting an unanswered message answers a waiting sender with B_NO_REPLY.
	delete fLastMessage;
	fLastMessage = outer;
}


BHandler*
BLooper::_TargetFor(BMessage* message)
{
	BPrivate::DeliveryInfo* info = BMessage::Private(message).DeliveryIfAny();
	int32 token = info != NULL ? info->token : BPrivate::B_PREFERRED_TOKEN;

	BHandler* handler;
	if (token == BPrivate::B_PREFERRED_TOKEN) {
		// Scripting starts at the looper itself, not at its preferred handler.
		handler = fPreferred != NULL && !has_current_specifier(message) ? fPreferred : this;
	} else {
		handler = BPrivate::handler_for_token(token);
		if (handler == NULL || handler->Looper() != this)
			return NULL;
	}

	if (has_current_specifier(message))
		handler = _ResolveSpecifier(handler, message);
	return handler;
}


BHandler*
BLooper::_ResolveSpecifier(BHandler* target, BMessage* message)
{
	BHandler* next = target;
	int32 index;
	do {
		target = next;
		BMessage specifier;
		int32 form;
		const char* property;
		status_t status = message->GetCurrentSpecifier(&index, &specifier, &form, &property);
		if (status != B_OK) {
			BPrivate::reply_error(message, status, "Didn't understand the specifier(s)");
			return NULL;
		}

		next = target->ResolveSpecifier(message, index, &specifier, form, property);
		if (next != NULL && next->Looper() != this) {
			// The rest is resolved, and answered, by the looper that owns the handler.
			BLooper* owner = next->Looper();
			BMessage* handedOn = DetachCurrentMessage();
			BMessage::Private(handedOn).Delivery().token = BHandler::Private(next).Token();
			if (owner == NULL || BLooper::Private(owner).Port()->WriteForced(handedOn) != B_OK)
				delete handedOn;
			return NULL;
		}
		if (message->GetCurrentSpecifier(&index) != B_OK)
			index = -1;
	} while (next != NULL && next != target && index >= 0);
	return next;
}


void
BLooper::Quit()
{
	if (!fRunCalled) {
		delete this;
		return;
	}
	if (find_thread(NULL) == fThread) {
		fTerminating = true;
		return;
	}

	// From another thread: let the loop see the request, then wait for its end.
	thread_id thread = fThread;
	std::shared_ptr<BPrivate::LooperLock> lock = LockFor(this);
	fPort->WriteForced(new BMessage(_QUIT_));
	if (lock != nullptr)
		lock->UnlockFully();
	wait_for_thread(thread, NULL);
}


bool
BLooper::QuitRequested()
{
	return true;
}


bool
BLooper::Lock()
{
	return LockWithTimeout(B_INFINITE_TIMEOUT) == B_OK;
}


void
BLooper::Unlock()
{
	if (std::shared_ptr<BPrivate::LooperLock> lock = LockFor(this))
		lock->Unlock();
}


bool
BLooper::IsLocked() const
{
	std::shared_ptr<BPrivate::LooperLock> lock = LockFor(this);
	return lock != nullptr && lock->Owner() == find_thread(NULL);
}


status_t
BLooper::LockWithTimeout(bigtime_t timeout)
{
	std::shared_ptr<BPrivate::LooperLock> lock = LockFor(this);
	if (lock == nullptr)
		return B_BAD_VALUE;
	return lock->Lock(timeout);
}


thread_id
BLooper::Thread() const
{
	return fThread;
}


team_id
BLooper::Team() const
{
	return BPrivate::current_team();
}


BLooper*
BLooper::LooperForThread(thread_id thread)
{
	return BPrivate::LooperList::LooperForThread(thread);
}


thread_id
BLooper::LockingThread() const
{
	std::shared_ptr<BPrivate::LooperLock> lock = LockFor(this);
	return lock != nullptr ? lock->Owner() : -1;
}


int32
BLooper::CountLocks() const
{
	std::shared_ptr<BPrivate::LooperLock> lock = LockFor(this);
	return lock != nullptr ? lock->Count() : 0;
}


int32
BLooper::CountLockRequests() const
{
	std::shared_ptr<BPrivate::LooperLock> lock = LockFor(this);
	return lock != nullptr ? lock->Requests() : 0;
}


sem_id
BLooper::Sem() const
{
	std::shared_ptr<BPrivate::LooperLock> lock = LockFor(this);
	return lock != nullptr ? lock->Semaphore() : B_BAD_SEM_ID;
}


BHandler*
BLooper::ResolveSpecifier(BMessage* message, int32 index, BMessage* specifier,
	int32 form, const char* property)
{
	switch (BPrivate::match_property(message, index, specifier, form, property,
			stLooperProperties)) {
		case BPrivate::kNoProperty:
			return BHandler::ResolveSpecifier(message, index, specifier, form, property);
		case kHandlerProperty:
			break;
		default:
			return this;
	}

	// "Handler" by index: the handler it names takes the rest.
	int32 handlerIndex = -1;
	specifier->FindInt32("index", &handlerIndex);
	if (form == B_REVERSE_INDEX_SPECIFIER)
		handlerIndex = CountHandlers() - handlerIndex;
	BHandler* handler = HandlerAt(handlerIndex);
	if (handler == NULL) {
		BPrivate::reply_error(message, B_BAD_INDEX, "Handler index out of range");
		return NULL;
	}
	message->PopSpecifier();
	return handler;
}


status_t
BLooper::GetSupportedSuites(BMessage* data)
{
	status_t status = BPrivate::add_suite(data, "suite/vnd.Be-looper", stLooperProperties);
	if (status != B_OK)
		return status;
	return BHandler::GetSupportedSuites(data);
}

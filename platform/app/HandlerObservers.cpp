// BHandler's observers, and the list behind them.
#include <Handler.h>

#include <AppDefs.h>
#include <Message.h>
#include <Messenger.h>

#include <algorithm>

#include "app/HandlerPrivate.h"
#include "app/ObserverList.h"
#include "app/TokenSpace.h"

namespace BPrivate {

status_t
ObserverList::Add(const BMessenger& messenger, uint32 what)
{
	if (!messenger.IsValid())
		return B_BAD_HANDLER;
	return AddObserver(Observer{B_NULL_TOKEN, messenger, what});
}


status_t
ObserverList::Add(BHandler* handler, uint32 what)
{
	if (handler == NULL)
		return B_BAD_HANDLER;
	return AddObserver(Observer{BHandler::Private(handler).Token(), BMessenger(), what});
}


status_t
ObserverList::AddObserver(const Observer& observer)
{
	for (const Observer& existing : fObservers) {
		if (existing.handler == observer.handler && existing.messenger == observer.messenger
			&& existing.what == observer.what)
			return B_OK;
	}
	if (fObservers.size() >= kMaxObservers)
		return B_NO_MEMORY;
	fObservers.push_back(observer);
	return B_OK;
}


status_t
ObserverList::Remove(const BMessenger& messenger, uint32 what)
{
	size_t before = fObservers.size();
	std::erase_if(fObservers, [&](const Observer& observer) {
		return observer.handler == B_NULL_TOKEN && observer.messenger == messenger
			&& (what == B_OBSERVER_OBSERVE_ALL || observer.what == what);
	});
	return fObservers.size() < before ? B_OK : B_BAD_HANDLER;
}


status_t
ObserverList::Remove(BHandler* handler, uint32 what)
{
	if (handler == NULL)
		return B_BAD_HANDLER;
	int32 token = BHandler::Private(handler).Token();
	size_t before = fObservers.size();
	std::erase_if(fObservers, [&](const Observer& observer) {
		return observer.handler == token
			&& (what == B_OBSERVER_OBSERVE_ALL || observer.what == what);
	});
	return fObservers.size() < before ? B_OK : B_BAD_HANDLER;
}


void
ObserverList::Send(uint32 what, const BMessage& notice)
{
	// Each observer hears a notice once, however many of its entries match.
	std::vector<BMessenger> sent;
	for (size_t i = 0; i < fObservers.size();) {
		const Observer& observer = fObservers[i];
		if (observer.what != what && observer.what != B_OBSERVER_OBSERVE_ALL) {
			i++;
			continue;
		}
		BMessenger target = observer.messenger;
		if (observer.handler != B_NULL_TOKEN) {
			BHandler* handler = handler_for_token(observer.handler);
			if (handler == NULL) {
				fObservers.erase(fObservers.begin() + i);
				continue;
			}
			// Not in a looper yet, it may join one before the next notice.
			target = BMessenger(handler);
			if (!target.IsValid()) {
				i++;
				continue;
			}
		}
		if (std::find(sent.begin(), sent.end(), target) != sent.end()) {
			i++;
			continue;
		}
		BMessage copy(notice);
		status_t status = target.SendMessage(&copy, (BHandler*)NULL,
			kObserverNoticeTimeout);
		if (status == B_BAD_PORT_ID || status == B_BAD_HANDLER || !target.IsValid()) {
			fObservers.erase(fObservers.begin() + i);
			continue;
		}
		sent.push_back(target);
		i++;
	}
}

} // namespace BPrivate


using BPrivate::ObserverList;


status_t
BHandler::StartWatching(BMessenger target, uint32 what)
{
	BMessage request(BPrivate::kStartObserving);
	request.AddMessenger(B_OBSERVE_TARGET_FIELD, BMessenger(this));
	request.AddInt32(B_OBSERVE_WHAT_CHANGE, (int32)what);
	return target.SendMessage(&request);
}


status_t
BHandler::StartWatchingAll(BMessenger target)
{
	return StartWatching(target, B_OBSERVER_OBSERVE_ALL);
}


status_t
BHandler::StopWatching(BMessenger target, uint32 what)
{
	BMessage request(BPrivate::kStopObserving);
	request.AddMessenger(B_OBSERVE_TARGET_FIELD, BMessenger(this));
	request.AddInt32(B_OBSERVE_WHAT_CHANGE, (int32)what);
	return target.SendMessage(&request);
}


status_t
BHandler::StopWatchingAll(BMessenger target)
{
	return StopWatching(target, B_OBSERVER_OBSERVE_ALL);
}


status_t
BHandler::StartWatching(BHandler* observer, uint32 what)
{
	if (fObservers == NULL)
		fObservers = new ObserverList;
	return fObservers->Add(observer, what);
}


status_t
BHandler::StartWatchingAll(BHandler* observer)
{
	return StartWatching(observer, B_OBSERVER_OBSERVE_ALL);
}


status_t
BHandler::StopWatching(BHandler* observer, uint32 what)
{
	return fObservers != NULL ? fObservers->Remove(observer, what) : B_BAD_HANDLER;
}


status_t
BHandler::StopWatchingAll(BHandler* observer)
{
	return StopWatching(observer, B_OBSERVER_OBSERVE_ALL);
}


void
BHandler::SendNotices(uint32 what, const BMessage* notice)
{
	if (fObservers == NULL)
		return;
	BMessage copy = notice != NULL ? *notice : BMessage();
	copy.RemoveName(B_OBSERVE_WHAT_CHANGE);
	copy.RemoveName(B_OBSERVE_ORIGINAL_WHAT);
	copy.AddInt32(B_OBSERVE_WHAT_CHANGE, (int32)what);
	copy.AddInt32(B_OBSERVE_ORIGINAL_WHAT, (int32)copy.what);
	copy.what = B_OBSERVER_NOTICE_CHANGE;
	fObservers->Send(what, copy);
}


bool
BHandler::IsWatched() const
{
	return fObservers != NULL && !fObservers->IsEmpty();
}


// Handles a request of another handler to start or stop observing this one; false when
// message is none.
bool
BHandler::_HandleObserving(BMessage* message)
{
	if (message->what != BPrivate::kStartObserving
		&& message->what != BPrivate::kStopObserving)
		return false;
	BMessenger observer;
	int32 what;
	if (message->FindMessenger(B_OBSERVE_TARGET_FIELD, &observer) != B_OK
		|| message->FindInt32(B_OBSERVE_WHAT_CHANGE, &what) != B_OK)
		return true;
	if (message->what == BPrivate::kStartObserving) {
		if (fObservers == NULL)
			fObservers = new ObserverList;
		fObservers->Add(observer, (uint32)what);
	} else if (fObservers != NULL)
		fObservers->Remove(observer, (uint32)what);
	return true;
}

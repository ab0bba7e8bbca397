// A target of messages inside a looper. A handler belongs to at most one looper, whose
// thread calls MessageReceived with the looper locked. Every handler answers the
// scripting suite "suite/vnd.Be-handler" ("Suites", "Messenger", "InternalName").
#ifndef _HANDLER_H
#define _HANDLER_H

#include <Archivable.h>

class BList;
class BLooper;
class BMessenger;
class BMessage;
class BMessageFilter;

namespace BPrivate {
class ObserverList;
}

// The fields of a B_OBSERVER_NOTICE_CHANGE notice: the what the notice is about, and the
// what of the message given to SendNotices.
#define B_OBSERVE_WHAT_CHANGE	"be:observe_change_what"
#define B_OBSERVE_ORIGINAL_WHAT	"be:observe_orig_what"
// Watches every what a handler sends notices of.
const uint32 B_OBSERVER_OBSERVE_ALL = 0xffffffff;

class BHandler : public BArchivable {
public:
	explicit BHandler(const char* name = NULL);
	explicit BHandler(BMessage* archive);
	virtual ~BHandler();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* into, bool deep = true) const;

	// The default passes the message to the next handler; at the end of the chain a
	// scripting message that nobody understood is answered B_MESSAGE_NOT_UNDERSTOOD.
	virtual void MessageReceived(BMessage* message);

	BLooper* Looper() const;
	void SetName(const char* name);
	const char* Name() const;
	virtual void SetNextHandler(BHandler* handler);
	BHandler* NextHandler() const;

	bool LockLooper();
	status_t LockLooperWithTimeout(bigtime_t timeout);
	void UnlockLooper();

	// Returns the handler that takes the message (this one when it owns the property),
	// or NULL after having replied that the specifier is not understood.
	virtual BHandler* ResolveSpecifier(BMessage* message, int32 index, BMessage* specifier,
		int32 form, const char* property);
	// Adds "suites" (the suite names, most specific first) and "messages" (each suite's
	// flattened BPropertyInfo at the same index).
	virtual status_t GetSupportedSuites(BMessage* data);

	// Filters of the messages aimed at this handler (MessageFilter.h), changed with the
	// looper locked. The handler owns the filters and the list given to SetFilterList,
	// and deletes the filters it held before.
	virtual void AddFilter(BMessageFilter* filter);
	virtual bool RemoveFilter(BMessageFilter* filter);
	virtual void SetFilterList(BList* filters);
	BList* FilterList();

	// Observers. The BMessenger forms ask the handler at target (through a message its
	// MessageReceived handles) to add or remove this handler as its observer; the
	// BHandler forms add or remove observer to this handler's own list. SendNotices sends
	// each observer of what (or of B_OBSERVER_OBSERVE_ALL) a copy of notice, or an empty
	// message, as B_OBSERVER_NOTICE_CHANGE carrying B_OBSERVE_WHAT_CHANGE and
	// B_OBSERVE_ORIGINAL_WHAT. Observers that went away are dropped as notices find them.
	status_t StartWatching(BMessenger target, uint32 what);
	status_t StartWatchingAll(BMessenger target);
	status_t StopWatching(BMessenger target, uint32 what);
	status_t StopWatchingAll(BMessenger target);
	status_t StartWatching(BHandler* observer, uint32 what);
	status_t StartWatchingAll(BHandler* observer);
	status_t StopWatching(BHandler* observer, uint32 what);
	status_t StopWatchingAll(BHandler* observer);
	virtual void SendNotices(uint32 what, const BMessage* notice = NULL);
	bool IsWatched() const;

	class Private;

private:
	friend class BLooper;
	friend class Private;

	BHandler(const BHandler&) = delete;
	BHandler& operator=(const BHandler&) = delete;

	void _Init(const char* name);
	void _SetLooper(BLooper* looper);
	bool _HandleObserving(BMessage* message);

	int32 fToken;
	char* fName;
	BLooper* fLooper;
	BHandler* fNextHandler;
	BList* fFilters = NULL;
	BPrivate::ObserverList* fObservers = NULL;
};

#endif // _HANDLER_H

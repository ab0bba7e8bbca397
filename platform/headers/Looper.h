// A handler with a thread and a port: the thread takes the port's messages one by one and
// dispatches each to its target handler with the looper locked.
//
// A new looper is locked by the thread that made it; Run starts its thread and unlocks
// it. Quit ends the loop and deletes the looper: from its own thread at once, from
// another thread (which must hold the lock) after the thread has ended. The looper does
// not delete its handlers.
#ifndef _LOOPER_H
#define _LOOPER_H

#include <Handler.h>
#include <List.h>
#include <OS.h>

#include <memory>

class BMessageQueue;

namespace BPrivate {
class Port;
}

#define B_LOOPER_PORT_DEFAULT_CAPACITY	200

class BLooper : public BHandler {
public:
	BLooper(const char* name = NULL, int32 priority = B_NORMAL_PRIORITY,
		int32 portCapacity = B_LOOPER_PORT_DEFAULT_CAPACITY);
	// A looper from its archive: its name, priority ("_prio") and port capacity
	// ("_port_cap"), locked by the calling thread as a new looper is.
	BLooper(BMessage* archive);
	virtual ~BLooper();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* into, bool deep = true) const;

	// Posting copies the message. handler NULL means the preferred handler; replies go
	// to replyTo (be_app when NULL). B_MISMATCHED_VALUES when the handler belongs to
	// another looper; B_WOULD_BLOCK when the port is full.
	status_t PostMessage(uint32 command);
	status_t PostMessage(BMessage* message);
	status_t PostMessage(uint32 command, BHandler* handler, BHandler* replyTo = NULL);
	status_t PostMessage(BMessage* message, BHandler* handler, BHandler* replyTo = NULL);

	// B_QUIT_REQUESTED: QuitRequested, then Quit when it agrees; anything else goes to
	// the handler's MessageReceived.
	virtual void DispatchMessage(BMessage* message, BHandler* handler);
	virtual void MessageReceived(BMessage* message);
	// The message being dispatched; the looper deletes it afterwards unless detached.
	BMessage* CurrentMessage() const;
	BMessage* DetachCurrentMessage();
	bool IsMessageWaiting() const;
	// The messages taken from the port and not yet dispatched, oldest first. With the
	// looper locked, a handler may look at them and remove some (deleting those it
	// removes), for instance to drop mouse moves that a later one makes stale. The loop
	// moves what waits in the port there before each dispatch, up to the port's capacity.
	BMessageQueue* MessageQueue() const;

	// Handlers: the looper itself is its first handler.
	void AddHandler(BHandler* handler);
	bool RemoveHandler(BHandler* handler);
	int32 CountHandlers() const;
	BHandler* HandlerAt(int32 index) const;
	int32 IndexOf(BHandler* handler) const;

	BHandler* PreferredHandler() const;
	void SetPreferredHandler(BHandler* handler);

	virtual thread_id Run();
	virtual void Quit();
	virtual bool QuitRequested();

	bool Lock();
	void Unlock();
	bool IsLocked() const;
	status_t LockWithTimeout(bigtime_t timeout);
	thread_id Thread() const;
	team_id Team() const;
	static BLooper* LooperForThread(thread_id thread);
	thread_id LockingThread() const;
	int32 CountLocks() const;
	int32 CountLockRequests() const;
	// The semaphore that threads waiting for the lock wait on (Locker.h).
	sem_id Sem() const;

	virtual BHandler* ResolveSpecifier(BMessage* message, int32 index, BMessage* specifier,
		int32 form, const char* property);
	virtual status_t GetSupportedSuites(BMessage* data);

	// Filters of every message the looper dispatches (MessageFilter.h), run before the
	// target handler's own; owned as a handler owns its filters.
	virtual void AddCommonFilter(BMessageFilter* filter);
	virtual bool RemoveCommonFilter(BMessageFilter* filter);
	virtual void SetCommonFilterList(BList* filters);
	BList* CommonFilterList() const;

	class Private;

protected:
	// The loop itself, for BApplication::Run which runs it on the calling thread.
	void _RunLoop();

private:
	friend class Private;
	friend class BApplication;

	static status_t _ThreadEntry(void* looper);
	void _DispatchOne(BMessage* message);
	BHandler* _TargetFor(BMessage* message);
	BHandler* _ResolveSpecifier(BHandler* target, BMessage* message);
	status_t _Post(BMessage* message, BHandler* handler, BHandler* replyTo);
	// Waits at most timeout, without the lock, until the queue holds a message; false
	// when none came or the port is closed.
	bool _WaitForMessage(bigtime_t timeout);
	// With the lock held: moves what waits in the port to the queue and takes the
	// oldest message out (NULL if a handler emptied the queue meanwhile).
	BMessage* _TakeNextMessage();

	std::shared_ptr<BPrivate::Port> fPort;
	BMessageQueue* fQueue;
	BMessage* fLastMessage;
	BList fHandlers;
	BHandler* fPreferred;
	thread_id fThread;
	int32 fInitPriority;
	bool fTerminating;
	bool fRunCalled;
	BList* fCommonFilters = NULL;
};

#endif // _LOOPER_H

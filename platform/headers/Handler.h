// A target of messages inside a looper. A handler belongs to at most one looper, whose
// thread calls MessageReceived with the looper locked. Every handler answers the
// scripting suite "suite/vnd.Be-handler" ("Suites", "Messenger", "InternalName").
#ifndef _HANDLER_H
#define _HANDLER_H

#include <Archivable.h>

class BLooper;
class BMessage;

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

	class Private;

private:
	friend class BLooper;
	friend class Private;

	BHandler(const BHandler&) = delete;
	BHandler& operator=(const BHandler&) = delete;

	void _Init(const char* name);
	void _SetLooper(BLooper* looper);

	int32 fToken;
	char* fName;
	BLooper* fLooper;
	BHandler* fNextHandler;
};

#endif // _HANDLER_H

// The current values of a target's properties, asked for on a thread of its own so that
// the window that shows them never waits for the target.
//
// A fetch sends one B_GET_PROPERTY request per property, one after the other, each within
// kValueRequestTimeout, and posts each answer to its receiver as it comes:
// kMsgPropertyValue with "fetch" (the fetch's number), "index" (the property's position in
// the list it was given) and "text" (the value as format_data renders it, the reply's
// error, or "(no answer)"), and, for a value that came, "type" (its type code) and, for a
// string, "raw" (the string itself). Its last message is kMsgValuesDone with "fetch" and "thread".
// A canceled fetch asks nothing more; the answer it waits for is dropped.
#ifndef PROPERTY_VALUES_H
#define PROPERTY_VALUES_H

#include <Message.h>
#include <Messenger.h>
#include <OS.h>
#include <String.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

// How long one value request, its delivery and its reply, may take.
const bigtime_t kValueRequestTimeout = 2000000;

// The text of a value whose reply did not come in time.
extern const char* kNoAnswer;

enum {
	kMsgPropertyValue = 'PVal',
	kMsgValuesDone = 'PVdn'
};

// The properties whose value the target's suites reply says can be read: those of every
// table row that lists B_GET_PROPERTY among its commands and B_DIRECT_SPECIFIER among its
// forms, in the order of the suites and their tables, each name once.
std::vector<std::string> ReadableProperties(const BMessage* suites);

// The text shown for one value: status is that of the send, reply its reply.
BString ValueText(status_t status, const BMessage& reply);

class PropertyValueFetch {
public:
	// Copies what it needs: the target's messenger, its specifier chain (access) and the
	// properties; receiver gets the answers.
							PropertyValueFetch(const BMessenger& target,
								const BMessage& access,
								const std::vector<std::string>& properties,
								const BMessenger& receiver, int32 fetch);

	// Starts the fetch on a thread named threadName; the fetch then belongs to the
	// thread. Returns the thread, or an error (the fetch is deleted then).
			thread_id		Start(const char* threadName);
	// Safe from any thread, also after the fetch has ended.
			std::shared_ptr<std::atomic<bool>> Canceled() const { return fCanceled; }

private:
			void			_Fetch();

			BMessenger		fTarget;
			BMessage		fAccess;
			std::vector<std::string> fProperties;
			BMessenger		fReceiver;
			int32			fFetch;
			std::shared_ptr<std::atomic<bool>> fCanceled;
};

#endif // PROPERTY_VALUES_H

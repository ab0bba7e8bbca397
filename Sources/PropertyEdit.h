// A value of a target's property set from the window: the text typed is read into a
// B_SET_PROPERTY request, which is sent on a thread of its own so that the window never
// waits for the target, and the value is read back from the target after it.
//
// The thread sends the set request within kValueRequestTimeout and, when the target took
// it, a B_GET_PROPERTY within the same time, then posts kMsgValueEdited to its receiver with
// "fetch" and "index" (as given), "thread", and either "text" (the value read back, as
// ValueText renders it) or "error" (what went wrong: "(no answer)", the target's error, or
// the word of the chain that the target could not resolve, explain_unresolved_request()).
#ifndef PROPERTY_EDIT_H
#define PROPERTY_EDIT_H

#include <Message.h>
#include <Messenger.h>
#include <OS.h>
#include <String.h>

#include <string>

enum {
	kMsgValueEdited = 'PEdt'
};

// Whether a row of the suites' tables lists property with B_SET_PROPERTY among its
// commands and B_DIRECT_SPECIFIER among its forms.
bool IsSettableProperty(const BMessage* suites, const char* property);

// Reads what was typed for a property whose current value has type (0 when unknown) into
// the field "data" of request: a string property takes the text as typed, any other the
// value syntax of --send (ValueParser.h). B_BAD_VALUE with problem set when it cannot.
status_t ReadEditedValue(const char* text, type_code type, BMessage* request,
	BString* problem);

class PropertyEdit {
public:
	// Copies what it needs: the target's messenger, its specifier chain (access), the
	// property and the request holding "data"; application names the target's application
	// in the sentences of unresolved requests.
							PropertyEdit(const BMessenger& target,
								const BMessage& access, const char* property,
								const BMessage& data, const char* application,
								const BMessenger& receiver, int32 fetch, int32 index);

	// Starts the edit on a thread; the edit then belongs to the thread. Returns the
	// thread, or an error (the edit is deleted then).
			thread_id		Start();

private:
			void			_Edit();

			BMessenger		fTarget;
			BMessage		fAccess;
			std::string		fProperty;
			BMessage		fData;
			BString			fApplication;
			BMessenger		fReceiver;
			int32			fFetch;
			int32			fIndex;
};

#endif // PROPERTY_EDIT_H

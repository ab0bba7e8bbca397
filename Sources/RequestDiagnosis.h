// Why a target did not resolve a scripting request: which word of its specifier chain named
// something the target does not have. The chain is walked from the outermost specifier in,
// as the target resolves it, asking at each step what the target at that point lists in
// its suites and whether the element named exists, each request within the given timeout.
#ifndef REQUEST_DIAGNOSIS_H
#define REQUEST_DIAGNOSIS_H

#include <Messenger.h>
#include <OS.h>
#include <String.h>

class BMessage;

// Whether reply says that the target could not resolve a specifier (not understood, no
// such index, no such name): the replies explain_unresolved_request looks into.
bool is_unresolved_reply(const BMessage& reply);

// A sentence naming the first specifier of request that target cannot resolve:
//	no property "Widow" in the suites of application 'SampleViewer'
//	no view named "noSuchView" in Window 0 of 'SampleViewer'
//	no window 7 in application 'SampleViewer'
//	property "Title" of Window 0 of 'SampleViewer' cannot be set
// application is the name the target is called by. Empty when every specifier resolves or
// the target stops answering: the request failed for another reason.
BString explain_unresolved_request(const BMessenger& target, const BMessage& request,
	const char* application, bigtime_t timeout);

#endif // REQUEST_DIAGNOSIS_H

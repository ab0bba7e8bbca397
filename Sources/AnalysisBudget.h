// The limits of one application's analysis. The application analysed may be hung, stopped,
// slow or hostile: every request waits a bounded time, the whole analysis has a deadline,
// the counts it reports are cut to caps, views nest only so deep, a tree holds only so many
// targets and replies, and requests that keep failing end the analysis. What is found within the limits
// is kept; each limit that cuts the analysis short is reported once, on standard error,
// naming the application.
//
// A budget belongs to its application node; the threads of that node's analysis share it.
#ifndef ANALYSIS_BUDGET_H
#define ANALYSIS_BUDGET_H

#include <OS.h>
#include <String.h>

#include <mutex>

class BMessage;
class BMessenger;

// How long one request, its delivery and its reply, may take.
const bigtime_t kRequestTimeout = 3000000;
// How long one application's whole analysis may take, from when its turn comes
// (AnalysisGate): applications waiting for their turn do not use up their time.
const bigtime_t kAnalysisTimeLimit = 60000000;
// The most windows of an application, or views of one window or view, that are analysed.
const int32 kMaxChildren = 1024;
// The most levels of views below a window that are analysed.
const int32 kMaxViewDepth = 128;
// The most targets (windows and views) in one application's tree.
const int32 kMaxTargets = 20000;
// Failed requests in a row after which an analysis gives up.
const int32 kMaxFailuresInARow = 3;
// The bytes of all the replies one analysis takes in; the nodes keep most of them.
const size_t kMaxReplyBytes = 128 * 1024 * 1024;
// The most requests to one application in flight at once, when its analysis runs its
// subtrees side by side (on the AnalysisLooper): one per subtree being analysed.
const int32 kMaxRequestsInFlight = 8;


class AnalysisBudget {
public:
	// application names the application in the lines that report a limit.
							AnalysisBudget(const BString& application);

	// Sends request and waits for its reply within the request timeout and what is left
	// of the deadline; B_CANCELED without sending once the analysis has given up. The
	// analysis gives up after too many failures in a row or too many bytes of replies.
			status_t		Send(BMessenger* messenger, BMessage* request,
								BMessage* reply);
	// Send in two halves, for a request whose reply comes later: Begin gives the time it
	// may take, or B_CANCELED, and the request is not to be sent; End takes its status
	// (and reply, on B_OK) and returns the status to go on with.
			status_t		Begin(bigtime_t* timeout);
			status_t		End(status_t status, const BMessage* reply);
	// How many of the count children that a target reports are to be analysed.
			int32			Children(int32 count, const char* kind);
	// Whether views at this depth below their window are to be analysed.
			bool			ViewsAt(int32 depth);
	// Takes one more target into the tree: false, and nothing is to be made, once the
	// tree is full or the analysis has given up.
			bool			AddTarget();
			bool			GaveUp() const;

	// Starts the time limit: the analysis has its turn (AnalysisGate). Until then the
	// limit runs from when the budget was made.
			void			Start();
	// Whether a request has waited for its reply since at least kStalledAnalysisTime
	// before now, with no reply in between.
			bool			IsStalled(bigtime_t now) const;

	// Set before the analysis starts. How long each request may wait instead of
	// kRequestTimeout.
			void			SetRequestTimeout(bigtime_t timeout)
								{ fRequestTimeout = timeout; }
	// Whether the analysis log goes to standard output, as it does unless the mode that
	// runs the analysis writes something else there. Failures and limits go to standard
	// error either way.
			void			SetLogged(bool logged) { fLogged = logged; }
			bool			IsLogged() const { return fLogged; }
	// How many requests the analysis may keep in flight at once: more than 1 (by default
	// kMaxRequestsInFlight) analyses sibling subtrees side by side, their log still
	// written in the order of the tree (AnalysisLog); 1 sends them one after the other.
			void			SetRequestsInFlight(int32 requests)
								{ fRequestsInFlight = requests; }
			int32			RequestsInFlight() const { return fRequestsInFlight; }
	// Takes one more subtree to be analysed beside the others, each of them with one
	// request in flight: false once RequestsInFlight are (the analysis itself is one).
			bool			TakeBranch();
			void			EndBranch();

private:
	// Called with fLock held.
			bool			_PastDeadline();

			BString			fApplication;
			bigtime_t		fRequestTimeout;
			bool			fLogged;
			int32			fRequestsInFlight;
	// Guards what the analysis counts; the settings above are made before it starts.
	mutable	std::mutex		fLock;
			bigtime_t		fDeadline;
			int32			fTargets;
			size_t			fReplyBytes;
			int32			fFailuresInARow;
			bool			fGaveUp;
			bool			fReportedChildren;
			bool			fReportedDepth;
	// Requests sent and not answered yet, and when the last one began or ended.
			int32			fWaiting;
			bigtime_t		fLastProgress;
	// Subtrees analysed beside the first one.
			int32			fBranches;
};

#endif // ANALYSIS_BUDGET_H

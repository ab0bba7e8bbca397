// The looper on which the analyses with requests in flight run: each application's
// analysis is a task (AnalysisTask) that sends its requests asynchronously, their replies
// addressed to a handler of this looper, one per request, and is resumed by the handler
// when its reply comes, so that the replies of several windows, which need not come in
// the order they were asked in, each find their request. A request whose reply does not
// come within its time, or whose target has gone, ends with B_TIMED_OUT or B_BAD_PORT_ID,
// as a synchronous send would, at the next check (every kReplyCheckInterval).
//
// Each analysis is given the looper that serves the fewest analyses, a new one while
// fewer than kAnalysisLoopersPerProcessor for each processor run: the analyses that run
// at once (AnalysisGate) then each have a thread of their own on this side too. A
// looper's thread reads its replies itself while it has nothing else to do. A looper is
// made when needed and quits once no analysis uses it.
#ifndef ANALYSIS_LOOPER_H
#define ANALYSIS_LOOPER_H

#include <Looper.h>

#include <coroutine>
#include <vector>

#include "AnalysisTask.h"

class BMessageRunner;
class ScriptingElement;

// How often requests are checked for their time limit and for a target that has gone.
const bigtime_t kReplyCheckInterval = 50000;
// How many analysis loopers may run at once for each processor of the machine.
const int32 kAnalysisLoopersPerProcessor = 1;


class AnalysisLooper : public BLooper {
public:
	// A looper, running, for one more analysis; NULL when none can run.
	static	AnalysisLooper*	Acquire();
	// Gives back what Acquire gave; the last analysis of a looper quits it.
	static	void			Release(AnalysisLooper* looper);

	// Runs *task on the looper and returns once it has ended. False, with *task not
	// started, when the looper cannot take it. Never called on the looper's own thread.
			bool			RunAndWait(AnalysisTask* task);

	// Sends request to node's target for node's analysis, on the looper's thread, with its
	// reply to come to reply. Returns false when the request ended at once (it could not
	// be sent, or the analysis has given up): *status says how. Otherwise resume goes on
	// once *status and, on B_OK, *reply are set.
			bool			Send(ScriptingElement* node, BMessage* request,
								BMessage* reply, status_t* status,
								std::coroutine_handle<> resume);

	virtual	void			MessageReceived(BMessage* message);

private:
	class PendingReply;
	struct Started;

							AnalysisLooper();
	virtual					~AnalysisLooper();

	// A new looper, running and checking its requests; NULL when it cannot run.
	static	AnalysisLooper*	_Start();

			void			_CheckPending();
	// Takes pending out of the list, sets its outcome and resumes its task.
			void			_Finish(PendingReply* pending, status_t status,
								const BMessage* reply);
	static	std::coroutine_handle<> _RunEnded(void* cookie);

			std::vector<PendingReply*> fPending;
			BMessageRunner*	fCheck;
};

#endif // ANALYSIS_LOOPER_H

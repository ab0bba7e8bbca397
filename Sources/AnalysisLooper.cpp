#include "AnalysisLooper.h"

#include <Handler.h>
#include <MessageRunner.h>
#include <Messenger.h>

#include <algorithm>
#include <mutex>

#include "AnalysisBudget.h"
#include "AnalysisGate.h"
#include "ScriptingElement.h"


static const uint32 kMsgRun = 'Arun';
static const uint32 kMsgCheck = 'Achk';

// The loopers running, and how many analyses each serves. Never destroyed: an analysis
// that outlives the program's end still releases its looper while the statics go.
struct LooperPool {
	std::mutex			lock;
	std::vector<std::pair<AnalysisLooper*, int32>> loopers;
};


static LooperPool&
looper_pool()
{
	static LooperPool* pool = new LooperPool;
	return *pool;
}


// The handler that one request's reply is addressed to.
class AnalysisLooper::PendingReply : public BHandler {
public:
	PendingReply(AnalysisLooper* owner, AnalysisBudget* budget, BMessenger* target,
			BMessage* reply, status_t* status, std::coroutine_handle<> resume,
			bigtime_t deadline)
		:
		BHandler("pending reply"),
		fOwner(owner),
		fBudget(budget),
		fTarget(target),
		fReply(reply),
		fStatus(status),
		fResume(resume),
		fDeadline(deadline)
	{
	}

	virtual void MessageReceived(BMessage* message)
	{
		// Nothing but the reply is addressed to this handler.
		fOwner->_Finish(this, B_OK, message);
	}

	AnalysisLooper*			fOwner;
	AnalysisBudget*			fBudget;
	BMessenger*				fTarget;
	BMessage*				fReply;
	status_t*				fStatus;
	std::coroutine_handle<>	fResume;
	bigtime_t				fDeadline;
};


struct AnalysisLooper::Started {
	AnalysisTask	task;
	sem_id			ended;
};


AnalysisLooper::AnalysisLooper()
	:
	BLooper("analysis"),
	fCheck(NULL)
{
}


AnalysisLooper::~AnalysisLooper()
{
	delete fCheck;
}


// How many loopers may run at once.
static size_t
max_loopers()
{
	static const size_t max = (size_t)(count_processors() * kAnalysisLoopersPerProcessor);
	return max;
}


AnalysisLooper*
AnalysisLooper::_Start()
{
	AnalysisLooper* looper = new AnalysisLooper;
	if (looper->Run() < 0) {
		delete looper;
		return NULL;
	}
	BMessage check(kMsgCheck);
	looper->fCheck = new BMessageRunner(BMessenger(looper), &check, kReplyCheckInterval);
	return looper;
}


AnalysisLooper*
AnalysisLooper::Acquire()
{
	LooperPool& pool = looper_pool();
	std::lock_guard<std::mutex> lock(pool.lock);
	auto least = std::min_element(pool.loopers.begin(), pool.loopers.end(),
		[](const auto& a, const auto& b) { return a.second < b.second; });
	if (least == pool.loopers.end()
		|| (least->second > 0 && pool.loopers.size() < max_loopers())) {
		// Without a new one, the least busy serves one more.
		if (AnalysisLooper* looper = _Start()) {
			pool.loopers.emplace_back(looper, 0);
			least = pool.loopers.end() - 1;
		} else if (least == pool.loopers.end())
			return NULL;
	}
	least->second++;
	return least->first;
}


void
AnalysisLooper::Release(AnalysisLooper* looper)
{
	LooperPool& pool = looper_pool();
	std::lock_guard<std::mutex> lock(pool.lock);
	auto it = std::find_if(pool.loopers.begin(), pool.loopers.end(),
		[looper](const auto& each) { return each.first == looper; });
	if (it == pool.loopers.end() || --it->second > 0)
		return;
	pool.loopers.erase(it);
	if (looper->Lock())
		looper->Quit();
}


bool
AnalysisLooper::RunAndWait(AnalysisTask* task)
{
	Started run = { std::move(*task), create_sem(0, "analysis ended") };
	BMessage message(kMsgRun);
	message.AddPointer("run", &run);
	if (run.ended < B_OK || PostMessage(&message) != B_OK) {
		delete_sem(run.ended);
		*task = std::move(run.task);
		return false;
	}
	while (acquire_sem(run.ended) == B_INTERRUPTED)
		;
	delete_sem(run.ended);
	return true;
}


bool
AnalysisLooper::Send(ScriptingElement* node, BMessage* request, BMessage* reply,
	status_t* status, std::coroutine_handle<> resume)
{
	AnalysisBudget* budget = node->Budget();
	bigtime_t timeout;
	*status = budget->Begin(&timeout);
	if (*status != B_OK)
		return false;

	PendingReply* pending = new PendingReply(this, budget, node->GetMessenger(), reply,
		status, resume, system_time() + timeout);
	AddHandler(pending);
	*status = node->GetMessenger()->SendMessage(request, pending, timeout);
	if (*status != B_OK) {
		RemoveHandler(pending);
		delete pending;
		budget->End(*status, NULL);
		return false;
	}
	fPending.push_back(pending);
	return true;
}


void
AnalysisLooper::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgRun:
		{
			Started* run;
			if (message->FindPointer("run", (void**)&run) == B_OK)
				run->task.Start(_RunEnded, run);
			break;
		}
		case kMsgCheck:
			_CheckPending();
			break;
		default:
			BLooper::MessageReceived(message);
	}
}


void
AnalysisLooper::_CheckPending()
{
	bigtime_t now = system_time();
	// Finishing a request resumes its task, which may send others: each is looked for
	// again.
	for (size_t i = 0; i < fPending.size();) {
		PendingReply* pending = fPending[i];
		if (now >= pending->fDeadline)
			_Finish(pending, B_TIMED_OUT, NULL);
		else if (!pending->fTarget->IsValid())
			_Finish(pending, B_BAD_PORT_ID, NULL);
		else {
			i++;
			continue;
		}
		i = 0;
	}
}


void
AnalysisLooper::_Finish(PendingReply* pending, status_t status, const BMessage* reply)
{
	fPending.erase(std::find(fPending.begin(), fPending.end(), pending));
	RemoveHandler(pending);
	if (reply != NULL)
		*pending->fReply = *reply;
	*pending->fStatus = pending->fBudget->End(status, pending->fReply);
	std::coroutine_handle<> resume = pending->fResume;
	delete pending;
	resume.resume();
}


std::coroutine_handle<>
AnalysisLooper::_RunEnded(void* cookie)
{
	release_sem(static_cast<Started*>(cookie)->ended);
	return std::noop_coroutine();
}

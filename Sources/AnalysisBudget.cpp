#include "AnalysisBudget.h"

#include <Message.h>
#include <Messenger.h>

#include <inttypes.h>
#include <stdio.h>
#include <string.h>

#include "AnalysisGate.h"
#include "ScriptingUtils.h"


AnalysisBudget::AnalysisBudget(const BString& application)
	:
	fApplication(application),
	fRequestTimeout(kRequestTimeout),
	fLogged(true),
	fRequestsInFlight(kMaxRequestsInFlight),
	fDeadline(system_time() + kAnalysisTimeLimit),
	fTargets(0),
	fReplyBytes(0),
	fFailuresInARow(0),
	fGaveUp(false),
	fReportedChildren(false),
	fReportedDepth(false),
	fWaiting(0),
	fLastProgress(0),
	fBranches(0)
{
}


void
AnalysisBudget::Start()
{
	std::lock_guard<std::mutex> lock(fLock);
	fDeadline = system_time() + kAnalysisTimeLimit;
}


bool
AnalysisBudget::IsStalled(bigtime_t now) const
{
	std::lock_guard<std::mutex> lock(fLock);
	return fWaiting > 0 && now - fLastProgress >= kStalledAnalysisTime;
}


status_t
AnalysisBudget::Send(BMessenger* messenger, BMessage* request, BMessage* reply)
{
	bigtime_t timeout;
	status_t status = Begin(&timeout);
	if (status != B_OK)
		return status;
	return End(messenger->SendMessage(request, reply, timeout, timeout), reply);
}


status_t
AnalysisBudget::Begin(bigtime_t* timeout)
{
	std::lock_guard<std::mutex> lock(fLock);
	if (fGaveUp || _PastDeadline())
		return B_CANCELED;

	bigtime_t now = system_time();
	bigtime_t left = fDeadline - now;
	*timeout = left < fRequestTimeout ? left : fRequestTimeout;
	if (fWaiting++ == 0)
		fLastProgress = now;
	return B_OK;
}


status_t
AnalysisBudget::End(status_t status, const BMessage* reply)
{
	std::lock_guard<std::mutex> lock(fLock);
	fWaiting--;
	fLastProgress = system_time();
	if (status == B_OK) {
		fFailuresInARow = 0;
		fReplyBytes += (size_t)reply->FlattenedSize();
		if (fReplyBytes > kMaxReplyBytes && !fGaveUp) {
			fGaveUp = true;
			fprintf(stderr, "giving up on application '%s' after %zu MiB of replies\n",
				printable_str(fApplication).String(), kMaxReplyBytes / (1024 * 1024));
		}
		return B_OK;
	}
	if (++fFailuresInARow >= kMaxFailuresInARow && !fGaveUp) {
		fGaveUp = true;
		fprintf(stderr, "giving up on application '%s' after %" PRId32 " failed requests "
			"in a row (%s)\n", printable_str(fApplication).String(), fFailuresInARow,
			strerror(status));
	}
	return status;
}


bool
AnalysisBudget::TakeBranch()
{
	std::lock_guard<std::mutex> lock(fLock);
	if (fBranches + 1 >= RequestsInFlight())
		return false;
	fBranches++;
	return true;
}


void
AnalysisBudget::EndBranch()
{
	std::lock_guard<std::mutex> lock(fLock);
	fBranches--;
}


int32
AnalysisBudget::Children(int32 count, const char* kind)
{
	std::lock_guard<std::mutex> lock(fLock);
	if (count <= kMaxChildren)
		return count;
	if (!fReportedChildren) {
		fReportedChildren = true;
		fprintf(stderr, "application '%s' reports %" PRId32 " %s; only the first %" PRId32
			" are analysed\n", printable_str(fApplication).String(), count, kind,
			kMaxChildren);
	}
	return kMaxChildren;
}


bool
AnalysisBudget::ViewsAt(int32 depth)
{
	std::lock_guard<std::mutex> lock(fLock);
	if (depth <= kMaxViewDepth)
		return true;
	if (!fReportedDepth) {
		fReportedDepth = true;
		fprintf(stderr, "application '%s' nests views deeper than %" PRId32 " levels; the "
			"deeper ones are not analysed\n", printable_str(fApplication).String(),
			kMaxViewDepth);
	}
	return false;
}


bool
AnalysisBudget::AddTarget()
{
	std::lock_guard<std::mutex> lock(fLock);
	if (fGaveUp || _PastDeadline())
		return false;
	if (fTargets >= kMaxTargets) {
		fGaveUp = true;
		fprintf(stderr, "application '%s' has more than %" PRId32 " windows and views; the "
			"others are not analysed\n", printable_str(fApplication).String(), kMaxTargets);
		return false;
	}
	fTargets++;
	return true;
}


bool
AnalysisBudget::GaveUp() const
{
	std::lock_guard<std::mutex> lock(fLock);
	return fGaveUp;
}


bool
AnalysisBudget::_PastDeadline()
{
	if (fGaveUp || system_time() < fDeadline)
		return fGaveUp;
	fGaveUp = true;
	fprintf(stderr, "giving up on application '%s' after %" PRId64 " seconds\n",
		printable_str(fApplication).String(), (int64)(kAnalysisTimeLimit / 1000000));
	return true;
}

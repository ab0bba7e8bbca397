#include "AnalysisGate.h"

#include <algorithm>
#include <chrono>

#include "AnalysisBudget.h"


AnalysisGate::AnalysisGate(int32 places)
	:
	fPlaces(std::max(places, (int32)1)),
	fNextTurn(0),
	fServing(0)
{
}


AnalysisGate&
AnalysisGate::Default()
{
	// Never destroyed: analyses of hung applications may still wait here when the
	// program quits without them.
	static AnalysisGate* gate = new AnalysisGate(count_processors() * kAnalysesPerProcessor);
	return *gate;
}


int32
count_processors()
{
	system_info info;
	return get_system_info(&info) == B_OK ? std::max((int32)info.cpu_count, (int32)1) : 1;
}


void
AnalysisGate::Enter(AnalysisBudget* budget)
{
	std::unique_lock<std::mutex> lock(fLock);
	uint64 turn = fNextTurn++;
	for (;;) {
		if (turn == fServing && _CountRunning(system_time()) < fPlaces)
			break;
		if (turn != fServing || fInside.empty())
			fChanged.wait(lock);
		else {
			// The next in turn looks again when an analysis inside may have stalled.
			fChanged.wait_for(lock, std::chrono::microseconds(kStalledAnalysisTime / 4));
		}
	}
	fServing++;
	fInside.push_back(budget);
	budget->Start();
	// The next in turn may fit too.
	fChanged.notify_all();
}


void
AnalysisGate::Leave(AnalysisBudget* budget)
{
	std::lock_guard<std::mutex> lock(fLock);
	auto found = std::find(fInside.begin(), fInside.end(), budget);
	if (found != fInside.end())
		fInside.erase(found);
	fChanged.notify_all();
}


int32
AnalysisGate::CountInside()
{
	std::lock_guard<std::mutex> lock(fLock);
	return (int32)fInside.size();
}


int32
AnalysisGate::_CountRunning(bigtime_t now) const
{
	int32 running = 0;
	for (AnalysisBudget* budget : fInside) {
		if (!budget->IsStalled(now))
			running++;
	}
	return running;
}

// How many applications are analysed at once. An analysis keeps more than a processor
// busy between Quorvane and its application, so analyses beyond the processors do not
// finish sooner together: they only share the processors more finely, and every request
// then pays for the switches between more runnable threads. The gate lets as many
// analyses in as there are processors, in the order they came; the others wait their
// turn before they send anything, and each one's time limit starts when it is let in
// (AnalysisBudget::Start).
//
// An analysis whose application keeps a request unanswered (hung, stopped or slow) does
// not use the processors: once it has waited kStalledAnalysisTime it does not count, and
// the next analysis is let in beside it.
#ifndef ANALYSIS_GATE_H
#define ANALYSIS_GATE_H

#include <OS.h>

#include <condition_variable>
#include <mutex>
#include <vector>

class AnalysisBudget;

// How many analyses run at once for each processor of the machine.
const int32 kAnalysesPerProcessor = 1;
// How long an analysis may wait for a reply before the gate lets the next one in beside
// it. Short: an application that answers, but slowly, must not hold a turn that others
// wait for (a request to an application that is not stalled takes microseconds).
const bigtime_t kStalledAnalysisTime = 50000;


class AnalysisGate {
public:
	// places: how many analyses may run at once (at least one).
							AnalysisGate(int32 places);

	// The gate of the process: kAnalysesPerProcessor for each processor.
	static	AnalysisGate&	Default();

	// Waits for budget's turn, then starts its time limit. Each Enter is matched by a
	// Leave on the same budget.
			void			Enter(AnalysisBudget* budget);
			void			Leave(AnalysisBudget* budget);

	// How many analyses are inside now: for tests.
			int32			CountInside();

private:
	// Inside analyses that are not stalled; called with fLock held.
			int32			_CountRunning(bigtime_t now) const;

			int32			fPlaces;
			std::mutex		fLock;
			std::condition_variable fChanged;
			std::vector<AnalysisBudget*> fInside;
	// Turns are handed out in order: the next one given, and the one let in next.
			uint64			fNextTurn;
			uint64			fServing;
};


// The processors of the machine, at least one.
int32 count_processors();


// Holds a place at the gate for its lifetime.
class AnalysisGateEntry {
public:
							AnalysisGateEntry(AnalysisGate& gate, AnalysisBudget* budget)
								: fGate(gate), fBudget(budget) { fGate.Enter(fBudget); }
							~AnalysisGateEntry() { fGate.Leave(fBudget); }

							AnalysisGateEntry(const AnalysisGateEntry&) = delete;
			AnalysisGateEntry& operator=(const AnalysisGateEntry&) = delete;

private:
			AnalysisGate&	fGate;
			AnalysisBudget*	fBudget;
};

#endif // ANALYSIS_GATE_H

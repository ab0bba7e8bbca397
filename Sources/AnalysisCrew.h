// The threads that analyse the subtrees of one application side by side, so that several
// of its requests are in flight at once: each thread sends synchronously (the kit carries
// the requests of all of them on one connection and routes every reply back to the
// request it answers), so each request keeps its own time limit and learns at once that
// the target died, as a lone analysis does.
//
// The sibling subtrees of a node (an application's windows, a window's or a view's views)
// are independent: each builds its own nodes below the same parent, which is complete
// before they start. A node's analysis offers its children to the crew's idle helpers,
// takes those nobody took itself, in order, and waits only for the ones a helper runs;
// the tree is put together in the children's order afterwards, so it is the same whatever
// thread analysed which subtree.
//
// A crew belongs to one application's analysis; its helpers start with the first children
// offered and end when the crew is deleted, which its analysis thread does once the tree
// is done.
#ifndef ANALYSIS_CREW_H
#define ANALYSIS_CREW_H

#include <OS.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

class AnalysisCrew {
public:
	// threads counts the threads that may send at once, the analysis thread included.
							AnalysisCrew(int32 threads);
	// Ends the helpers; no RunAll may be running.
							~AnalysisCrew();

	// Runs job(0), job(1) ... job(count - 1) and returns when every one that started has
	// ended. admit is asked before each job starts, in order and one at a time; once it
	// answers false no further job starts. The calling thread runs the jobs that no
	// helper takes.
			void			RunAll(int32 count, const std::function<bool()>& admit,
								const std::function<void(int32)>& job);

	// How many helper threads run now: for tests.
			int32			CountHelpers();

private:
	struct Batch;

	static	status_t		_HelperThread(void* data);
			void			_Help();
	// The index of the next job of batch to run, or -1 once there is none; called with
	// fLock held.
			int32			_Take(Batch* batch);
			void			_Forget(Batch* batch);
			void			_StartHelpers();

			int32			fThreads;
			std::mutex		fLock;
			std::condition_variable fWorkOffered;
			std::condition_variable fJobEnded;
	// The batches with jobs left, the newest (the deepest in the tree) last.
			std::vector<Batch*> fBatches;
			std::vector<thread_id> fHelpers;
			bool			fQuitting;
};

#endif // ANALYSIS_CREW_H

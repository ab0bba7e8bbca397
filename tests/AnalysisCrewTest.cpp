// The crew that analyses sibling subtrees side by side: every job runs once, the admission
// stops them in order, jobs overlap on several threads, and subtrees nested in subtrees
// end even when every thread waits on children of its own.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "AnalysisCrew.h"


TEST(AnalysisCrewTest, EveryAdmittedJobRunsOnceAndAdmissionStopsThemInOrder)
{
	for (int32 threads : { 1, 4 }) {
		AnalysisCrew crew(threads);
		std::vector<std::atomic<int>> runs(100);
		int admitted = 0;
		crew.RunAll(100, [&] { return ++admitted <= 60; },
			[&](int32 index) { runs[index]++; });
		for (int32 i = 0; i < 100; i++)
			EXPECT_EQ(runs[i].load(), i < 60 ? 1 : 0) << i << " with " << threads;
		// Once refused, admission is not asked again.
		EXPECT_EQ(admitted, 61) << threads;
	}
}


TEST(AnalysisCrewTest, AloneItRunsTheJobsInOrderOnTheCallingThread)
{
	AnalysisCrew crew(1);
	std::vector<int32> order;
	std::thread::id caller = std::this_thread::get_id();
	crew.RunAll(5, [] { return true; }, [&](int32 index) {
		EXPECT_EQ(std::this_thread::get_id(), caller);
		order.push_back(index);
	});
	EXPECT_EQ(order, std::vector<int32>({ 0, 1, 2, 3, 4 }));
	EXPECT_EQ(crew.CountHelpers(), 0);
}


// A job waits until all four threads run one: it ends only if they overlap.
TEST(AnalysisCrewTest, JobsOverlapOnAsManyThreadsAsTheCrewHas)
{
	AnalysisCrew crew(4);
	std::mutex lock;
	std::set<std::thread::id> threads;
	std::atomic<int> running(0);
	std::atomic<int> mostAtOnce(0);
	crew.RunAll(16, [] { return true; }, [&](int32) {
		{
			std::lock_guard<std::mutex> guard(lock);
			threads.insert(std::this_thread::get_id());
		}
		int now = ++running;
		int most = mostAtOnce.load();
		while (now > most && !mostAtOnce.compare_exchange_weak(most, now))
			;
		auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
		while (mostAtOnce.load() < 4 && std::chrono::steady_clock::now() < giveUp)
			std::this_thread::sleep_for(std::chrono::milliseconds(1));
		running--;
	});
	EXPECT_EQ(mostAtOnce.load(), 4);
	EXPECT_EQ(threads.size(), 4u);
	EXPECT_EQ(crew.CountHelpers(), 3);
}


// Each job of every level offers children of its own and waits for them, as the analysis
// of a tree does: a thread that waits only for children others took never starves them.
TEST(AnalysisCrewTest, NestedRunsEndWhateverThreadTakesWhat)
{
	AnalysisCrew crew(3);
	std::atomic<int> leaves(0);
	std::function<void(int32)> level = [&](int32 depth) {
		if (depth == 0) {
			leaves++;
			return;
		}
		crew.RunAll(4, [] { return true; }, [&, depth](int32) { level(depth - 1); });
	};
	level(5);
	EXPECT_EQ(leaves.load(), 4 * 4 * 4 * 4 * 4);
}

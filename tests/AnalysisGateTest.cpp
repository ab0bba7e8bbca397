// The gate that lets only so many analyses run at once: no more are inside than it has
// places, every one gets its turn, and an analysis whose application keeps a request
// unanswered lets the next one in beside it instead of holding it up.
#include <Message.h>
#include <Messenger.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "AnalysisBudget.h"
#include "AnalysisGate.h"
#include "TestRuntime.h"
#include "WaitFor.h"


TEST(AnalysisGateTest, NoMoreAnalysesRunThanThereArePlacesAndEveryOneHasItsTurn)
{
	AnalysisGate gate(2);
	const int kAnalyses = 8;
	std::vector<std::unique_ptr<AnalysisBudget>> budgets;
	for (int i = 0; i < kAnalyses; i++)
		budgets.emplace_back(new AnalysisBudget("Target"));
	std::atomic<int> inside(0);
	std::atomic<int> mostInside(0);
	std::atomic<int> done(0);
	std::vector<std::thread> threads;
	for (int i = 0; i < kAnalyses; i++) {
		threads.emplace_back([&, i] {
			AnalysisGateEntry entry(gate, budgets[i].get());
			int now = ++inside;
			for (int most = mostInside.load(); now > most
				&& !mostInside.compare_exchange_weak(most, now);) {
			}
			// Each waits for a second one beside it, as long as one is left to come.
			wait_for([&] { return inside.load() >= 2 || kAnalyses - done.load() < 2; });
			inside--;
			done++;
		});
	}
	for (std::thread& thread : threads)
		thread.join();
	EXPECT_EQ(done.load(), kAnalyses);
	EXPECT_EQ(mostInside.load(), 2);
	EXPECT_EQ(gate.CountInside(), 0);
}


TEST(AnalysisGateTest, AnAnalysisWaitingOnAHungApplicationLetsTheNextOneIn)
{
	TestRuntime runtime;
	ASSERT_EQ(runtime.StartRegistrar(), B_OK);
	runtime.Start("FaultTargetApp", { "application/x-vnd.qv-gate-silent", "silent" });
	ASSERT_TRUE(runtime.WaitForApp("application/x-vnd.qv-gate-silent"));
	BMessenger silent("application/x-vnd.qv-gate-silent");

	AnalysisGate gate(1);
	AnalysisBudget hung("Silent");
	const bigtime_t kUnanswered = 3000000;
	hung.SetRequestTimeout(kUnanswered);
	gate.Enter(&hung);
	bigtime_t sent = system_time();
	std::atomic<bool> answered(false);
	std::thread request([&] {
		BMessage message(B_GET_SUPPORTED_SUITES);
		BMessage reply;
		EXPECT_EQ(hung.Send(&silent, &message, &reply), B_TIMED_OUT);
		answered = true;
	});

	// Before the request has waited long, the gate is shut; then the next comes in while
	// the request still waits.
	AnalysisBudget next("Next");
	std::atomic<bool> entered(false);
	std::thread waiting([&] {
		gate.Enter(&next);
		entered = true;
	});
	snooze(kStalledAnalysisTime / 4);
	bool early = entered.load();
	if (system_time() - sent < kStalledAnalysisTime) {
		EXPECT_FALSE(early);
	}
	EXPECT_TRUE(wait_for([&] { return entered.load(); }, kUnanswered));
	EXPECT_FALSE(answered.load());
	EXPECT_GE(system_time() - sent, kStalledAnalysisTime);
	EXPECT_EQ(gate.CountInside(), 2);

	waiting.join();
	request.join();
	gate.Leave(&next);
	gate.Leave(&hung);
	EXPECT_EQ(gate.CountInside(), 0);
}

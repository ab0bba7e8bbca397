// Analyses with requests in flight, against real processes on a private registrar: a target
// that dies ends the requests waiting for it at once, not at their time limit; analyses at
// once run on loopers of their own, as many as there are processors; and the loopers are
// gone once no analysis uses them.
#include <Messenger.h>
#include <OS.h>

#include <gtest/gtest.h>

#include <dirent.h>
#include <signal.h>

#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "AnalysisBudget.h"
#include "AnalysisLooper.h"
#include "FaultTargetCounts.h"
#include "ScriptingTargets.h"
#include "TestRuntime.h"
#include "WaitFor.h"

namespace {

const char* kHanging = "application/x-vnd.qv-looper-hanging";


// The threads of this process named "analysis".
int
count_analysis_loopers()
{
	int count = 0;
	DIR* tasks = opendir("/proc/self/task");
	while (dirent* task = tasks != NULL ? readdir(tasks) : NULL) {
		std::ifstream comm(std::string("/proc/self/task/") + task->d_name + "/comm");
		std::string name;
		if (std::getline(comm, name) && name == "analysis")
			count++;
	}
	if (tasks != NULL)
		closedir(tasks);
	return count;
}


// Analyses of an application that never answers how many windows it has.
struct HangingAnalyses {
	HangingAnalyses(int count)
	{
		for (int i = 0; i < count; i++) {
			std::unique_ptr<ScriptingApplication> node(CreateScriptingApplication(kHanging));
			if (node == nullptr)
				return;
			node->Budget()->SetRequestTimeout(20000000);
			node->Budget()->SetLogged(false);
			node->Budget()->SetRequestsInFlight(kMaxRequestsInFlight);
			nodes.push_back(std::move(node));
		}
		for (auto& node : nodes)
			threads.emplace_back([&node] { node->Analyze(0); });
	}

	~HangingAnalyses()
	{
		for (std::thread& thread : threads)
			thread.join();
	}

	std::vector<std::unique_ptr<ScriptingApplication>> nodes;
	std::vector<std::thread> threads;
};

} // namespace


TEST(AnalysisLooperTest, ATargetThatDiesEndsItsRequestsAtOnce)
{
	TestRuntime runtime;
	ASSERT_EQ(runtime.StartRegistrar(), B_OK);
	pid_t target = runtime.Start("FaultTargetApp", { kHanging, "hangafter" });
	ASSERT_TRUE(runtime.WaitForApp(kHanging));

	std::unique_ptr<ScriptingApplication> node(CreateScriptingApplication(kHanging));
	ASSERT_NE(node, nullptr);
	// Longer than the test waits: only the target's end may end the wait in time.
	node->Budget()->SetRequestTimeout(20000000);
	node->Budget()->SetLogged(false);
	node->Budget()->SetRequestsInFlight(kMaxRequestsInFlight);
	sem_id ended = create_sem(0, "analysis ended");
	std::thread analysis([&node, ended] {
		node->Analyze(0);
		release_sem(ended);
	});

	// Its suites are answered, its windows' count never is: the target is killed once it
	// holds that request.
	EXPECT_TRUE(wait_for([] { return fault_target_counts(kHanging).held > 0; }));
	EXPECT_EQ(acquire_sem_etc(ended, 1, B_RELATIVE_TIMEOUT, 0), B_WOULD_BLOCK);
	EXPECT_GE(find_thread("analysis"), 0);
	ASSERT_EQ(kill(target, SIGKILL), 0);
	// Without noticing the target's end, the analysis ends at the request's time limit.
	EXPECT_EQ(acquire_sem_etc(ended, 1, B_RELATIVE_TIMEOUT, 5000000), B_OK);
	analysis.join();
	delete_sem(ended);
	EXPECT_TRUE(node->IsScriptable());
	EXPECT_EQ(node->FailedRequest(), "count Window");
	EXPECT_EQ(node->Failure(), B_BAD_PORT_ID);
	EXPECT_EQ(node->CountChildren(), 0);
	// The looper has quit with the last analysis that used it.
	EXPECT_LT(find_thread("analysis"), 0);
}


TEST(AnalysisLooperTest, AnalysesAtOnceRunOnLoopersOfTheirOwnUpToTheProcessors)
{
	TestRuntime runtime;
	ASSERT_EQ(runtime.StartRegistrar(), B_OK);
	pid_t target = runtime.Start("FaultTargetApp", { kHanging, "hangafter" });
	ASSERT_TRUE(runtime.WaitForApp(kHanging));
	system_info info;
	ASSERT_EQ(get_system_info(&info), B_OK);
	// One more than the processors (three at most): a hung analysis leaves its turn at
	// the gate, so all of them run.
	int count = std::min<int>((int)info.cpu_count, 3) + 1;
	int loopers = std::min<int>((int)info.cpu_count * kAnalysisLoopersPerProcessor, count);

	{
		HangingAnalyses analyses(count);
		ASSERT_EQ(analyses.nodes.size(), (size_t)count);
		EXPECT_TRUE(wait_for([&] { return count_analysis_loopers() == loopers; },
			5000000)) << count_analysis_loopers();
		ASSERT_EQ(kill(target, SIGKILL), 0);
	}
	// A looper's thread may linger a moment after it has let its quitter go.
	EXPECT_TRUE(wait_for([] { return count_analysis_loopers() == 0; }, 5000000))
		<< count_analysis_loopers();
}

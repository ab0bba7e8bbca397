// Analyses with requests in flight, against real processes on a private registrar: a target
// that dies ends the requests waiting for it at once, not at their time limit, and the
// looper they ran on is gone once no analysis uses it.
#include <Messenger.h>
#include <OS.h>

#include <gtest/gtest.h>

#include <signal.h>

#include <memory>
#include <thread>

#include "AnalysisBudget.h"
#include "AnalysisLooper.h"
#include "ScriptingTargets.h"
#include "TestRuntime.h"

namespace {

const char* kHanging = "application/x-vnd.qv-looper-hanging";

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

	// Its suites are answered, its windows' count never is.
	EXPECT_EQ(acquire_sem_etc(ended, 1, B_RELATIVE_TIMEOUT, 500000), B_TIMED_OUT);
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

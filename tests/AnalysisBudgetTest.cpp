// The limits of one application's analysis: failed requests in a row end it, a success in
// between does not, caps cut counts, depth and the tree, and each cut is reported once.
#include <Message.h>
#include <Messenger.h>

#include <gtest/gtest.h>

#include <string>

#include "AnalysisBudget.h"
#include "TestRuntime.h"

namespace {

size_t
occurrences(const std::string& text, const std::string& part)
{
	size_t count = 0;
	for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
		count++;
	return count;
}

} // namespace


TEST(AnalysisBudgetTest, FailedRequestsInARowEndTheAnalysis)
{
	TestRuntime runtime;
	ASSERT_EQ(runtime.StartRegistrar(), B_OK);
	runtime.Start("KitTestApp", { "application/x-vnd.qv-budget" });
	ASSERT_TRUE(runtime.WaitForApp("application/x-vnd.qv-budget"));
	BMessenger answering("application/x-vnd.qv-budget");
	BMessenger nobody;

	AnalysisBudget budget("Target");
	testing::internal::CaptureStderr();
	BMessage reply;
	for (int32 i = 0; i < kMaxFailuresInARow - 1; i++) {
		BMessage request(B_GET_SUPPORTED_SUITES);
		EXPECT_NE(budget.Send(&nobody, &request, &reply), B_OK);
	}
	// A success starts the count again.
	BMessage request(B_GET_SUPPORTED_SUITES);
	EXPECT_EQ(budget.Send(&answering, &request, &reply), B_OK);
	for (int32 i = 0; i < kMaxFailuresInARow - 1; i++)
		EXPECT_NE(budget.Send(&nobody, &request, &reply), B_OK);
	EXPECT_FALSE(budget.GaveUp());
	EXPECT_TRUE(budget.AddTarget());

	EXPECT_NE(budget.Send(&nobody, &request, &reply), B_OK);
	EXPECT_TRUE(budget.GaveUp());
	// Nothing more is sent, and nothing more is made.
	EXPECT_EQ(budget.Send(&answering, &request, &reply), B_CANCELED);
	EXPECT_FALSE(budget.AddTarget());
	std::string errors = testing::internal::GetCapturedStderr();
	EXPECT_EQ(occurrences(errors, "giving up on application 'Target' after "
		+ std::to_string(kMaxFailuresInARow) + " failed requests in a row ("), 1u) << errors;
}


TEST(AnalysisBudgetTest, CapsCutCountsDepthAndTheTreeAndSaySoOnce)
{
	AnalysisBudget budget("Big\x1b" "App");
	testing::internal::CaptureStderr();
	EXPECT_EQ(budget.Children(-3, "views"), -3);
	EXPECT_EQ(budget.Children(kMaxChildren, "views"), kMaxChildren);
	EXPECT_EQ(budget.Children(kMaxChildren + 1, "views"), kMaxChildren);
	EXPECT_EQ(budget.Children(2147483647, "windows"), kMaxChildren);
	EXPECT_TRUE(budget.ViewsAt(kMaxViewDepth));
	EXPECT_FALSE(budget.ViewsAt(kMaxViewDepth + 1));
	EXPECT_FALSE(budget.ViewsAt(kMaxViewDepth + 2));

	int32 taken = 0;
	while (taken <= kMaxTargets && budget.AddTarget())
		taken++;
	EXPECT_EQ(taken, kMaxTargets);
	EXPECT_TRUE(budget.GaveUp());
	std::string errors = testing::internal::GetCapturedStderr();

	// The application's name is printed with its control bytes escaped.
	EXPECT_EQ(occurrences(errors, "application 'Big\\x1bApp' reports "), 1u) << errors;
	EXPECT_EQ(occurrences(errors, "nests views deeper than"), 1u) << errors;
	EXPECT_EQ(occurrences(errors, "has more than " + std::to_string(kMaxTargets)
		+ " windows and views"), 1u) << errors;
}


// Subtrees analysed side by side keep at most the requests in flight that the budget
// allows, the analysis itself counting as one; with one, there are none beside it.
TEST(AnalysisBudgetTest, BranchesStayWithinTheRequestsInFlight)
{
	AnalysisBudget budget("Sample");
	budget.SetRequestsInFlight(3);
	EXPECT_TRUE(budget.TakeBranch());
	EXPECT_TRUE(budget.TakeBranch());
	EXPECT_FALSE(budget.TakeBranch());
	budget.EndBranch();
	EXPECT_TRUE(budget.TakeBranch());

	AnalysisBudget oneAtATime("Sample");
	oneAtATime.SetRequestsInFlight(1);
	EXPECT_FALSE(oneAtATime.TakeBranch());
}

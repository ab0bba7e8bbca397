#include "AnalysisLog.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// What a log writes to standard output and standard error, kept apart.
class CapturedStreams {
public:
	CapturedStreams()
		:
		fOutput(open_memstream(&fOutputText, &fOutputSize)),
		fErrors(open_memstream(&fErrorsText, &fErrorsSize)),
		fLog(fOutput, fErrors)
	{
	}

	~CapturedStreams()
	{
		fclose(fOutput);
		fclose(fErrors);
		free(fOutputText);
		free(fErrorsText);
	}

	AnalysisLog* Log() { return &fLog; }
	std::string Output() { fflush(fOutput); return std::string(fOutputText, fOutputSize); }
	std::string Errors() { fflush(fErrors); return std::string(fErrorsText, fErrorsSize); }

private:
	char*		fOutputText = NULL;
	size_t		fOutputSize = 0;
	char*		fErrorsText = NULL;
	size_t		fErrorsSize = 0;
	FILE*		fOutput;
	FILE*		fErrors;
	AnalysisLog	fLog;
};

} // namespace


// Children that end out of their order, one of them with children of its own analysed
// side by side, still log in the order of the tree; what is meant for standard error goes
// there, in its order too; the first child still running writes through.
TEST(AnalysisLogTest, ChildrenEndingOutOfOrderLogInTheOrderOfTheTree)
{
	CapturedStreams streams;
	streams.Log()->Print(stdout, "root\n");
	ChildLogs children(streams.Log());
	AnalysisLog* first = children.Add();
	AnalysisLog* second = children.Add();
	AnalysisLog* third = children.Add();
	first->Print(stdout, "first\n");
	third->Print(stdout, "third\n");
	second->Print(stdout, "second\n");
	second->Print(stderr, "second failed %d\n", 2);

	ChildLogs grandchildren(second);
	AnalysisLog* secondsFirst = grandchildren.Add();
	AnalysisLog* secondsSecond = grandchildren.Add();
	secondsSecond->Print(stdout, "second.second\n");
	grandchildren.Ended(1);
	secondsFirst->Print(stdout, "second.first\n");
	EXPECT_EQ(streams.Output(), "root\nfirst\n");

	children.Ended(2);
	EXPECT_EQ(streams.Output(), "root\nfirst\n");
	children.Ended(0);
	// The second child is the first still running: it and its first child write through.
	EXPECT_EQ(streams.Output(), "root\nfirst\nsecond\nsecond.first\n");
	EXPECT_EQ(streams.Errors(), "second failed 2\n");
	grandchildren.Ended(0);
	children.Ended(1);
	EXPECT_EQ(streams.Output(),
		"root\nfirst\nsecond\nsecond.first\nsecond.second\nthird\n");

	// A child added once those before it have ended writes through.
	AnalysisLog* fourth = children.Add();
	fourth->Print(stderr, "fourth\n");
	EXPECT_EQ(streams.Errors(), "second failed 2\nfourth\n");
}


// A line deep in a tree goes to the first log above it that still holds: while an
// ancestor holds, the lines of its released descendants wait in it, in order; once it is
// released too, they go straight out, after what it held.
TEST(AnalysisLogTest, LinesDeepInATreeWaitForTheFirstAncestorThatHolds)
{
	CapturedStreams streams;
	ChildLogs top(streams.Log());
	AnalysisLog* running = top.Add();
	AnalysisLog* waiting = top.Add();
	waiting->Print(stdout, "waiting\n");

	// A chain of logs below the waiting one, each the first of its siblings: released.
	std::vector<std::unique_ptr<ChildLogs>> levels;
	AnalysisLog* deepest = waiting;
	for (int depth = 1; depth <= 50; depth++) {
		levels.push_back(std::make_unique<ChildLogs>(deepest));
		deepest = levels.back()->Add();
		deepest->Print(stdout, "level %d\n", depth);
	}
	deepest->Print(stderr, "deep failure\n");
	running->Print(stdout, "running\n");
	EXPECT_EQ(streams.Output(), "running\n");
	EXPECT_EQ(streams.Errors(), "");

	top.Ended(0);
	deepest->Print(stdout, "after\n");
	std::string expected = "running\nwaiting\n";
	for (int depth = 1; depth <= 50; depth++)
		expected += "level " + std::to_string(depth) + "\n";
	EXPECT_EQ(streams.Output(), expected + "after\n");
	EXPECT_EQ(streams.Errors(), "deep failure\n");
}

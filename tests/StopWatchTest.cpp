// BStopWatch: elapsed time, laps, pauses, and what it prints when it goes.
#include <StopWatch.h>

#include <gtest/gtest.h>

#include <string>


TEST(StopWatch, MeasuresLapsAndLeavesPausesOut)
{
	BStopWatch watch("watch", true);
	EXPECT_STREQ(watch.Name(), "watch");
	snooze(20000);
	bigtime_t lap = watch.Lap();
	EXPECT_GE(lap, 20000);
	EXPECT_GE(watch.ElapsedTime(), lap);

	watch.Suspend();
	bigtime_t suspended = watch.ElapsedTime();
	snooze(30000);
	EXPECT_EQ(watch.ElapsedTime(), suspended);
	watch.Resume();
	EXPECT_LT(watch.ElapsedTime() - suspended, 30000);

	watch.Reset();
	EXPECT_LT(watch.ElapsedTime(), 20000);
}


TEST(StopWatch, PrintsItsTimeUnlessSilent)
{
	testing::internal::CaptureStdout();
	{
		BStopWatch loud("sortwatch");
		loud.Lap();
	}
	{
		BStopWatch quiet("quiet", true);
	}
	std::string output = testing::internal::GetCapturedStdout();
	EXPECT_EQ(output.find("StopWatch \"sortwatch\": "), 0u) << output;
	EXPECT_NE(output.find(" usecs.\n"), std::string::npos) << output;
	EXPECT_NE(output.find("lap 1: "), std::string::npos) << output;
	EXPECT_EQ(output.find("quiet"), std::string::npos) << output;
}


TEST(StopWatch, LapsBeyondTheRecordAreTimedButNotKept)
{
	testing::internal::CaptureStdout();
	{
		BStopWatch watch("many");
		for (int32 i = 0; i < BStopWatch::kMaxLaps + 5; i++)
			EXPECT_GE(watch.Lap(), 0);
	}
	std::string output = testing::internal::GetCapturedStdout();
	EXPECT_NE(output.find("lap 9: "), std::string::npos) << output;
	EXPECT_EQ(output.find("lap 10: "), std::string::npos) << output;
}

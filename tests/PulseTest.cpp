// Pulses: views flagged B_PULSE_NEEDED hear Pulse() on their window's thread at the
// window's pulse rate, others never; a rate of 0 stops them; a busy window gathers no
// backlog of pulses.
#include <View.h>
#include <Window.h>

#include "OffscreenWindowTest.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

class CountingView : public BView {
public:
	CountingView(const char* name, uint32 flags)
		:
		BView(BRect(0, 0, 9, 9), name, B_FOLLOW_NONE, flags)
	{
	}

	void Pulse() override
	{
		fOnWindowThread = fOnWindowThread && Window()->IsLocked()
			&& find_thread(NULL) == Window()->Thread();
		fPulses++;
	}

	std::atomic<int32> fPulses{0};
	std::atomic<bool> fOnWindowThread{true};
};


class PulseTest : public OffscreenWindowTest<BWindow> {
protected:
	void Open(const char* title)
	{
		fWindow = new BWindow(BRect(100, 100, 199, 199), title, B_TITLED_WINDOW, 0);
		fPulsed = new CountingView("pulsed", B_WILL_DRAW | B_PULSE_NEEDED);
		fQuiet = new CountingView("quiet", B_WILL_DRAW);
		fWindow->AddChild(fQuiet);
		fQuiet->AddChild(fPulsed);
		fWindow->Show();
	}

	CountingView* fPulsed = nullptr;
	CountingView* fQuiet = nullptr;
};

} // namespace


TEST_F(PulseTest, FlaggedViewsPulseOnTheWindowThreadAtTheRate)
{
	Open("Pulse rate");
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->PulseRate(), 500000);
		fWindow->SetPulseRate(20000);
		EXPECT_EQ(fWindow->PulseRate(), 20000);
		return true;
	});
	EXPECT_TRUE(wait_until(fWindow, [&] { return fPulsed->fPulses >= 3; }));
	EXPECT_TRUE(fPulsed->fOnWindowThread);
	EXPECT_EQ(fQuiet->fPulses, 0);

	// A view flagged later pulses too.
	wait_until(fWindow, [&] {
		fQuiet->SetFlags(fQuiet->Flags() | B_PULSE_NEEDED);
		return true;
	});
	EXPECT_TRUE(wait_until(fWindow, [&] { return fQuiet->fPulses >= 2; }));
}


TEST_F(PulseTest, RateZeroStopsThePulse)
{
	Open("Pulse stop");
	wait_until(fWindow, [&] { fWindow->SetPulseRate(20000); return true; });
	ASSERT_TRUE(wait_until(fWindow, [&] { return fPulsed->fPulses >= 1; }));
	int32 before = 0;
	wait_until(fWindow, [&] {
		fWindow->SetPulseRate(0);
		before = fPulsed->fPulses;
		return true;
	});
	snooze(200000);
	// One pulse may have been on its way when the rate changed.
	EXPECT_LE(fPulsed->fPulses, before + 1);
}


TEST_F(PulseTest, BusyWindowGathersNoBacklogOfPulses)
{
	Open("Pulse busy");
	wait_until(fWindow, [&] {
		fWindow->SetPulseRate(5000);
		// Forty beats pass while the window is busy; then the pulse stops.
		snooze(200000);
		fWindow->SetPulseRate(0);
		fPulsed->fPulses = 0;
		return true;
	});
	ASSERT_TRUE(wait_for_queue(fWindow));
	EXPECT_LE(fPulsed->fPulses, 1);
}

// A fixture for tests of Quorvane's window inside this process, on the offscreen display:
// each test gets its own runtime with a registrar running, runs the application on the
// test's thread and drives its window from another thread.
#ifndef _QUORVANE_APP_TEST_H
#define _QUORVANE_APP_TEST_H

#include <Application.h>

#include <functional>
#include <thread>

#include "OffscreenWindowTest.h"
#include "QuorvaneApp.h"
#include "TestRuntime.h"

class QuorvaneAppTest : public OffscreenWindowTest<> {
protected:
	void SetUp() override
	{
		ASSERT_EQ(fRuntime.StartRegistrar(), B_OK);
	}

	// The application owns its window and has deleted it by now.
	void TearDown() override {}

	// Runs Quorvane on this thread and drive() on another once its window is on the
	// display with its outline, and Attached() agrees; then quits it, unless drive did.
	void RunQuorvane(const std::function<void()>& drive)
	{
		QuorvaneApp* app = new QuorvaneApp(kQuorvaneSignature);
		std::thread driver([&] {
			if (Attach())
				drive();
			be_app->PostMessage(B_QUIT_REQUESTED);
		});
		app->Run();
		driver.join();
		delete app;
		fWindow = NULL;
		fOffscreen = NULL;
		fView = NULL;
	}

	// Called on the driving thread once fWindow and fView are found, with the window
	// unlocked: finds what else the test needs and waits for the state it starts from.
	virtual bool Attached() { return true; }

	// Run on the driving thread of a running Quorvane: finds its window and outline
	// (waiting at most kWaitTimeout for them), then calls Attached(); false when any
	// of it failed.
	bool Attach()
	{
		wait_for([&] { return (fOffscreen = offscreen_window("Quorvane")) != NULL; });
		if (fOffscreen == NULL || !be_app->Lock())
			return false;
		fWindow = be_app->WindowAt(0);
		be_app->Unlock();
		if (fWindow == NULL)
			return false;
		EXPECT_TRUE(fWindow->Lock());
		fView = dynamic_cast<DOutlineListView*>(fWindow->FindView("fView"));
		fWindow->Unlock();
		return fView != NULL && Attached();
	}

	TestRuntime fRuntime;
	DOutlineListView* fView = NULL;
};

#endif // _QUORVANE_APP_TEST_H

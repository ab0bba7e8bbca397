// A fixture for suites that ask one sample application as another process would: the
// suite starts it once, under a registrar of its own and on the offscreen display, and
// waits until its windows are open; stMessenger reaches it.
#ifndef _SAMPLE_APP_TEST_H
#define _SAMPLE_APP_TEST_H

#include <AppDefs.h>
#include <Message.h>
#include <Messenger.h>

#include <gtest/gtest.h>

#include "OffscreenInput.h"
#include "TestRuntime.h"
#include "WaitFor.h"

class SampleAppTest : public testing::Test {
protected:
	// Starts program, whose application has that signature, and waits (at most
	// kWaitTimeout) until it counts windows windows: they open in ReadyToRun, a little
	// after the registration.
	static void StartSample(const char* program, const char* signature, int32 windows)
	{
		use_offscreen_display();
		stRuntime = new TestRuntime;
		ASSERT_EQ(stRuntime->StartRegistrar(), B_OK);
		stRuntime->Start(program);
		ASSERT_TRUE(stRuntime->WaitForApp(signature));
		stMessenger = new BMessenger(signature);
		ASSERT_TRUE(stMessenger->IsValid());
		wait_for([&] {
			BMessage request(B_COUNT_PROPERTIES);
			request.AddSpecifier("Window");
			BMessage reply;
			int32 count = -1;
			return stMessenger->SendMessage(&request, &reply, kWaitTimeout, kWaitTimeout)
					== B_OK
				&& reply.FindInt32("result", &count) == B_OK && count == windows;
		});
	}

	static void TearDownTestSuite()
	{
		delete stMessenger;
		stMessenger = NULL;
		delete stRuntime;
		stRuntime = NULL;
	}

	static inline TestRuntime* stRuntime = NULL;
	static inline BMessenger* stMessenger = NULL;
};

#endif // _SAMPLE_APP_TEST_H

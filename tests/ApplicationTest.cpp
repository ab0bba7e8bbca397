// The application object in this process: registration before ReadyToRun, the order of
// the start-up hooks, quitting by message and by signal, and the on-demand registrar.
#include <AppDefs.h>
#include <Application.h>
#include <Message.h>
#include <Roster.h>

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "TestRuntime.h"

namespace {

const char* kSignature = "application/x-vnd.test-application";


class HookApp : public BApplication {
public:
	HookApp() : BApplication(kSignature) {}

	void ArgvReceived(int32 argc, char** argv) override
	{
		fEvents.push_back("argv " + std::to_string(argc));
	}

	void ReadyToRun() override
	{
		fEvents.push_back("ready");
		fRegisteredAtReady = be_roster->IsRunning(kSignature);
		if (fSignalWhenReady)
			kill(getpid(), SIGTERM);
		else {
			PostMessage(B_ABOUT_REQUESTED);
			PostMessage(B_QUIT_REQUESTED);
		}
	}

	void AboutRequested() override { fEvents.push_back("about"); }

	bool QuitRequested() override
	{
		fEvents.push_back("quit requested");
		return BApplication::QuitRequested();
	}

	std::vector<std::string> fEvents;
	bool fRegisteredAtReady = false;
	bool fSignalWhenReady = false;
};


int
count_arguments()
{
	FILE* file = fopen("/proc/self/cmdline", "re");
	int count = 0;
	for (int c; (c = fgetc(file)) != EOF;)
		count += c == '\0' ? 1 : 0;
	fclose(file);
	return count;
}

} // namespace


TEST(ApplicationTest, RegistersAtOnceAndRunsTheHooksInOrder)
{
	TestRuntime runtime;
	ASSERT_EQ(runtime.StartRegistrar(), B_OK);

	HookApp* app = new HookApp;
	ASSERT_EQ(app->InitCheck(), B_OK);
	EXPECT_EQ(be_app, app);
	EXPECT_TRUE(be_app_messenger.IsValid());
	EXPECT_TRUE(be_roster->IsRunning(kSignature));
	EXPECT_TRUE(app->IsLaunching());

	app_info info;
	ASSERT_EQ(app->GetAppInfo(&info), B_OK);
	EXPECT_EQ(info.team, getpid());
	EXPECT_EQ(info.thread, find_thread(NULL));
	EXPECT_STREQ(info.signature, kSignature);
	EXPECT_EQ(app->CountWindows(), 0);
	EXPECT_EQ(app->WindowAt(0), nullptr);

	app->Run();
	int arguments = count_arguments();
	std::vector<std::string> expected;
	if (arguments > 1)
		expected.push_back("argv " + std::to_string(arguments));
	expected.insert(expected.end(), { "ready", "about", "quit requested" });
	EXPECT_EQ(app->fEvents, expected);
	EXPECT_TRUE(app->fRegisteredAtReady);
	EXPECT_FALSE(app->IsLaunching());

	delete app;
	EXPECT_EQ(be_app, nullptr);
	EXPECT_FALSE(be_roster->IsRunning(kSignature));
}


TEST(ApplicationTest, SigtermBecomesAQuitRequest)
{
	TestRuntime runtime;
	ASSERT_EQ(runtime.StartRegistrar(), B_OK);
	HookApp* app = new HookApp;
	app->fSignalWhenReady = true;
	app->Run();
	EXPECT_EQ(app->fEvents.back(), "quit requested");
	delete app;
}


TEST(ApplicationTest, TheFirstApplicationStartsTheRegistrar)
{
	TestRuntime runtime;
	EXPECT_EQ(TestRuntime::RegistrarProcess(), -1);
	HookApp* app = new HookApp;
	EXPECT_EQ(app->InitCheck(), B_OK);
	EXPECT_TRUE(be_roster->IsRunning(kSignature));
	pid_t registrar = TestRuntime::RegistrarProcess();
	EXPECT_GT(registrar, 0);
	delete app;
	if (registrar > 0)
		kill(registrar, SIGTERM);
}


TEST(ApplicationTest, ASecondApplicationObjectIsRefused)
{
	TestRuntime runtime;
	ASSERT_EQ(runtime.StartRegistrar(), B_OK);
	HookApp* app = new HookApp;
	status_t error = B_OK;
	BApplication* second = new BApplication("application/x-vnd.test-second", &error);
	EXPECT_EQ(error, B_ALREADY_RUNNING);
	delete second;
	EXPECT_EQ(be_app, app);
	delete app;

	BApplication* bad = new BApplication("not-a-signature", &error);
	EXPECT_EQ(error, B_BAD_VALUE);
	delete bad;
}


namespace {

// Counts its pulses and quits after the third; records activation.
class PulseApp : public BApplication {
public:
	PulseApp() : BApplication(kSignature) {}

	void ReadyToRun() override
	{
		SetPulseRate(2000);
		BMessage activated(B_APP_ACTIVATED);
		activated.AddBool("active", false);
		PostMessage(&activated);
	}

	void Pulse() override
	{
		if (++fPulses == 3)
			PostMessage(B_QUIT_REQUESTED);
	}

	void AppActivated(bool active) override { fActivations.push_back(active); }

	int fPulses = 0;
	std::vector<bool> fActivations;
};

} // namespace


TEST(ApplicationTest, PulsesAtItsRateAndHearsActivation)
{
	TestRuntime runtime;
	ASSERT_EQ(runtime.StartRegistrar(), B_OK);
	PulseApp* app = new PulseApp;
	ASSERT_EQ(app->InitCheck(), B_OK);
	// Three pulses at 2 ms come long before the default rate's first; one more may be
	// queued while the quit request is handled.
	app->Run();
	EXPECT_GE(app->fPulses, 3);
	EXPECT_EQ(app->fActivations, std::vector<bool>{ false });
	delete app;
}


namespace {

int64
pulse_of(const BMessage& archive)
{
	int64 pulse = -1;
	archive.FindInt64("_pulse", &pulse);
	return pulse;
}

} // namespace


TEST(ApplicationTest, AnApplicationFromItsArchiveIsAWholeRegisteredOne)
{
	TestRuntime runtime;
	ASSERT_EQ(runtime.StartRegistrar(), B_OK);
	BMessage archive;
	{
		BApplication* app = new BApplication(kSignature);
		app->SetPulseRate(250000);
		ASSERT_EQ(app->Archive(&archive), B_OK);
		delete app;
	}
	const char* signature = NULL;
	ASSERT_EQ(archive.FindString("mime_sig", &signature), B_OK);
	EXPECT_STREQ(signature, kSignature);
	EXPECT_EQ(pulse_of(archive), 250000);
	EXPECT_FALSE(be_roster->IsRunning(kSignature));

	BApplication* app = dynamic_cast<BApplication*>(instantiate_object(&archive));
	ASSERT_NE(app, nullptr);
	EXPECT_EQ(app->InitCheck(), B_OK);
	EXPECT_EQ(be_app, app);
	EXPECT_TRUE(be_roster->IsRunning(kSignature));
	app_info info;
	ASSERT_EQ(app->GetAppInfo(&info), B_OK);
	EXPECT_STREQ(info.signature, kSignature);
	BMessage again;
	ASSERT_EQ(app->Archive(&again), B_OK);
	EXPECT_EQ(pulse_of(again), 250000);
	delete app;
	EXPECT_FALSE(be_roster->IsRunning(kSignature));
}


TEST(ApplicationTest, AnArchiveWithoutAUsableSignatureGivesNoApplication)
{
	TestRuntime runtime;
	ASSERT_EQ(runtime.StartRegistrar(), B_OK);
	BMessage archive;
	archive.AddString("class", "BApplication");
	EXPECT_EQ(instantiate_object(&archive), nullptr);
	archive.AddString("mime_sig", std::string(B_MIME_TYPE_LENGTH + 10, 'a').c_str());
	EXPECT_EQ(instantiate_object(&archive), nullptr);
	EXPECT_EQ(be_app, nullptr);

	// Made directly, it fails as one made with a bad signature does; a pulse rate out
	// of range is refused or raised.
	archive.ReplaceString("mime_sig", "not-a-signature");
	archive.AddInt64("_pulse", -5);
	BApplication* bad = new BApplication(&archive);
	EXPECT_EQ(bad->InitCheck(), B_BAD_VALUE);
	delete bad;
	archive.ReplaceString("mime_sig", kSignature);
	archive.ReplaceInt64("_pulse", 1);
	BApplication* app = new BApplication(&archive);
	EXPECT_EQ(app->InitCheck(), B_OK);
	BMessage again;
	ASSERT_EQ(app->Archive(&again), B_OK);
	EXPECT_EQ(pulse_of(again), 10000);
	delete app;
}

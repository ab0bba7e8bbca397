// An application written the way applications of the platform's early releases were: it
// relies on the headers' include chains, the kit umbrella headers and the be/ paths, and
// uses Debug.h, find_directory, message filters and the older BMessage finds. It is not
// built by the project: SdkInstallTest builds it from an installed kit with pkg-config
// alone, runs its checks (--check) and has Quorvane explore it.
#define DEBUG 1

#include <AppKit.h>
#include <be/interface/Window.h>
#include <be/interface/View.h>
#include <be/support/String.h>
#include <kernel/OS.h>
#include <Debug.h>
#include <FindDirectory.h>
#include <Path.h>
#include <StopWatch.h>
#include <StorageKit.h>
#include <ByteOrder.h>
#include <Autolock.h>

#include <stdio.h>
#include <string.h>

const uint32 MSG_PING = 'ping';
const uint32 MSG_SECRET = 'scrt';

static long sFailures = 0;

#define CHECK(condition) \
	do { if (!(condition)) { printf("EraApp: check failed: %s\n", #condition); \
		sFailures++; } } while (0)


// Counts every message the window dispatches.
class CountingFilter : public BMessageFilter {
public:
	CountingFilter() : BMessageFilter(B_ANY_DELIVERY, B_ANY_SOURCE), fCount(0) {}
	virtual filter_result Filter(BMessage* message, BHandler** target)
	{
		fCount++;
		return B_DISPATCH_MESSAGE;
	}
	long fCount;
};


static filter_result
hide_secret(BMessage* message, BHandler** target, BMessageFilter* filter)
{
	return B_SKIP_MESSAGE;
}


class EraView : public BView {
public:
	EraView(BRect frame)
		: BView(frame, "EraView", B_FOLLOW_ALL, B_WILL_DRAW), fPings(0), fSecrets(0) {}

	virtual void Draw(BRect updateRect)
	{
		MovePenTo(BPoint(10, 20));
		DrawString("Hello from 1999");
	}

	virtual void MessageReceived(BMessage* message)
	{
		switch (message->what) {
			case MSG_PING:
				// The old form returns the string itself.
				if (message->FindString("text") != NULL
					&& strcmp(message->FindString("text"), "hello") == 0)
					fPings++;
				break;
			case MSG_SECRET:
				fSecrets++;
				break;
			default:
				BView::MessageReceived(message);
		}
	}

	long fPings;
	long fSecrets;
};


class EraWindow : public BWindow {
public:
	EraWindow(BRect frame)
		: BWindow(frame, "Era Window", B_TITLED_WINDOW, B_NOT_RESIZABLE)
	{
		fView = new EraView(Bounds());
		AddChild(fView);
		fCounter = new CountingFilter;
		AddCommonFilter(fCounter);
		fView->AddFilter(new BMessageFilter(MSG_SECRET, hide_secret));
	}

	virtual bool QuitRequested()
	{
		be_app->PostMessage(B_QUIT_REQUESTED);
		return true;
	}

	EraView* fView;
	CountingFilter* fCounter;
};


class EraApp : public BApplication {
public:
	EraApp(bool check)
		: BApplication("application/x-vnd.test-era"), fCheck(check), fWindow(NULL) {}

	virtual void ReadyToRun()
	{
		fWindow = new EraWindow(BRect(100, 100, 340, 220));
		fWindow->Show();
		if (!fCheck)
			return;

		BStopWatch watch("EraApp checks", true);
		CheckKernelAndSupport();
		CheckStorage();
		CheckFilters();
		printf("EraApp: %s (%ld failures, %lld usecs)\n",
			sFailures == 0 ? "all checks passed" : "checks failed", sFailures,
			(long long)watch.ElapsedTime());
		fflush(stdout);
		PostMessage(B_QUIT_REQUESTED);
	}

	void CheckKernelAndSupport()
	{
		addr_t address = (addr_t)this;
		CHECK(address != 0);
		vint32 counter = 1;
		CHECK(atomic_add(&counter, 2) == 1 && counter == 3);
		CHECK(find_thread(NULL) > 0);
		CHECK(B_HOST_TO_BENDIAN_INT32(B_BENDIAN_TO_HOST_INT32(0x01020304)) == 0x01020304);
		BString text("era");
		text << " app";
		CHECK(text == "era app");
		ASSERT(text.Length() == 7);
		CHECK(TRUE && !FALSE);
	}

	void CheckStorage()
	{
		BPath settings;
		CHECK(find_directory(B_USER_SETTINGS_DIRECTORY, &settings, true) == B_OK);
		settings.Append("EraApp_settings");
		BFile file(settings.Path(), B_WRITE_ONLY | B_CREATE_FILE | B_ERASE_FILE);
		CHECK(file.InitCheck() == B_OK);
		CHECK(file.Write("1999", 4) == 4);

		BDirectory directory;
		BPath parent;
		settings.GetParent(&parent);
		CHECK(directory.SetTo(parent.Path()) == B_OK);
		bool found = false;
		BEntry entry;
		while (directory.GetNextEntry(&entry) == B_OK) {
			char name[B_FILE_NAME_LENGTH];
			entry.GetName(name);
			found = found || strcmp(name, "EraApp_settings") == 0;
		}
		CHECK(found);
		CHECK(BMimeType::IsValid("application/x-vnd.test-era"));
	}

	void CheckFilters()
	{
		BMessenger view(fWindow->fView);
		BMessage ping(MSG_PING);
		ping.AddString("text", "hello");
		BMessage reply;
		CHECK(view.SendMessage(&ping) == B_OK);
		CHECK(view.SendMessage(MSG_SECRET) == B_OK);
		// A synchronous message waits for the ones before it.
		CHECK(view.SendMessage(B_GET_SUPPORTED_SUITES, &reply) == B_OK);
		BAutolock lock(fWindow);
		CHECK(lock.IsLocked());
		CHECK(fWindow->fView->fPings == 1);
		CHECK(fWindow->fView->fSecrets == 0);
		CHECK(fWindow->fCounter->fCount >= 3);
	}

	bool fCheck;
	EraWindow* fWindow;
};


int
main(int argc, char** argv)
{
	bool check = argc > 1 && strcmp(argv[1], "--check") == 0;
	EraApp* app = new EraApp(check);
	app->Run();
	delete app;
	return sFailures == 0 ? 0 : 1;
}

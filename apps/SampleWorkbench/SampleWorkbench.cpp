// SampleWorkbench: a small application on the kit with a menu bar, an outline, a log,
// labelled boxes, buttons and check boxes, nested deeply, in several windows. Quorvane
// explores it; the tests drive it.
#include "ToolWindows.h"
#include "WorkbenchDefs.h"
#include "WorkbenchWindow.h"

#include <Alert.h>
#include <Application.h>
#include <Message.h>

namespace {

const char* kSignature = "application/x-vnd.quorvane-SampleWorkbench";


class SampleWorkbenchApp : public BApplication {
public:
	SampleWorkbenchApp()
		:
		BApplication(kSignature),
		fWindow(NULL)
	{
	}

	virtual void ReadyToRun()
	{
		fWindow = new WorkbenchWindow(BRect(80, 80, 719, 519));
		fWindow->Show();
		_ShowPalette();
	}

	virtual void MessageReceived(BMessage* message)
	{
		if (message->what == kMsgShowPalette) {
			_ShowPalette();
			return;
		}
		BApplication::MessageReceived(message);
	}

	virtual void AboutRequested()
	{
		BAlert* alert = new BAlert("About SampleWorkbench",
			"SampleWorkbench\nVersion 1.0\n\nA small workbench built on the kit: menus, "
			"an outline, lists, boxes and controls to explore.\n", "Thanks", NULL, NULL,
			B_WIDTH_AS_USUAL, B_INFO_ALERT);
		alert->Go(NULL);
	}

private:
	void _ShowPalette()
	{
		// The palette may have been closed: locking it through its messenger tells.
		if (fPalette.LockTarget()) {
			BLooper* looper = NULL;
			fPalette.Target(&looper);
			static_cast<BWindow*>(looper)->Activate();
			looper->Unlock();
			return;
		}
		BRect frame = fWindow->Frame();
		PaletteWindow* palette = new PaletteWindow(BPoint(frame.right + 20, frame.top),
			BMessenger(fWindow));
		fPalette = BMessenger(palette);
		palette->Show();
	}

	WorkbenchWindow*	fWindow;
	BMessenger			fPalette;
};

} // namespace


int
main()
{
	SampleWorkbenchApp* app = new SampleWorkbenchApp;
	app->Run();
	delete app;
	return 0;
}

// Deskbar: the kit's Deskbar. One per session (its signature is exclusive); applications
// add items to its tray with BDeskbar, and the user drags replicants onto it. What the
// tray holds is kept in ~/config/settings/Deskbar/replicants (docs/deskbar.md).
#include "DeskbarWindow.h"

#include "interface/DeskbarProtocol.h"

#include <Application.h>
#include <Directory.h>
#include <Entry.h>
#include <FindDirectory.h>
#include <Path.h>

namespace {

class DeskbarApp : public BApplication {
public:
	DeskbarApp()
		:
		BApplication(BPrivate::kDeskbarSignature),
		fWindow(NULL)
	{
		// The window is there before the first request can arrive.
		entry_ref ref;
		BPath path;
		bool saved = find_directory(B_USER_SETTINGS_DIRECTORY, &path, true) == B_OK
			&& path.Append("Deskbar") == B_OK
			&& create_directory(path.Path(), 0700) == B_OK
			&& path.Append("replicants") == B_OK
			&& get_ref_for_path(path.Path(), &ref) == B_OK;
		fWindow = new BPrivate::DeskbarWindow(saved ? &ref : NULL);
		fWindow->Show();
	}

	void MessageReceived(BMessage* message) override
	{
		switch (message->what) {
			case BPrivate::kDeskbarGetFrame:
			case BPrivate::kDeskbarGetLocation:
			case BPrivate::kDeskbarSetLocation:
			case BPrivate::kDeskbarExpand:
			case BPrivate::kDeskbarFindItem:
			case BPrivate::kDeskbarCountItems:
			case BPrivate::kDeskbarAddItem:
			case BPrivate::kDeskbarRemoveItem:
				if (fWindow != NULL && fWindow->Lock()) {
					fWindow->HandleRequest(message);
					fWindow->Unlock();
				}
				return;
		}
		BApplication::MessageReceived(message);
	}

private:
	BPrivate::DeskbarWindow* fWindow;
};

} // namespace


int
main()
{
	DeskbarApp app;
	app.Run();
	return 0;
}

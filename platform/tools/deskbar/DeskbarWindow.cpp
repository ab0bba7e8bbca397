#include "DeskbarWindow.h"

#include "DeskbarItems.h"
#include "interface/DeskbarProtocol.h"

#include <Application.h>
#include <Entry.h>
#include <Screen.h>
#include <StringView.h>

#include <algorithm>

namespace BPrivate {

namespace {

// The width of the Deskbar's name when it is expanded.
const float kBrandWidth = 72;


void
reply(BMessage* request, BMessage* answer, status_t status)
{
	answer->what = B_REPLY;
	answer->AddInt32("error", status);
	request->SendReply(answer);
}

} // namespace


DeskbarWindow::DeskbarWindow(const entry_ref* shelfRef)
	:
	BWindow(BRect(0, 0, 99, 19), "Deskbar", B_BORDERED_WINDOW,
		B_NOT_CLOSABLE | B_NOT_ZOOMABLE | B_NOT_RESIZABLE | B_NOT_MOVABLE),
	fLocation(B_DESKBAR_RIGHT_TOP),
	fExpanded(false)
{
	fBackground = new BView(Bounds(), "Deskbar", B_FOLLOW_ALL, B_WILL_DRAW);
	fBackground->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	AddChild(fBackground);
	fBrand = new BStringView(BRect(0, 0, kBrandWidth - 1, 19), "Brand", "Deskbar");
	fBrand->Hide();
	fBackground->AddChild(fBrand);
	fTray = new BView(BRect(0, 0, 19, 19), "Tray", B_FOLLOW_NONE, B_WILL_DRAW);
	fTray->SetViewColor(tint_color(ui_color(B_PANEL_BACKGROUND_COLOR), B_DARKEN_1_TINT));
	fBackground->AddChild(fTray);
	fItems = new DeskbarItems(fTray, shelfRef);
	_Place();
}


DeskbarWindow::~DeskbarWindow()
{
	delete fItems;
}


bool
DeskbarWindow::QuitRequested()
{
	be_app->PostMessage(B_QUIT_REQUESTED);
	return true;
}


// Sizes the window to its items and puts it where its location says.
void
DeskbarWindow::_Place()
{
	BRect tray = fItems->TrayBounds();
	float brand = fExpanded ? kBrandWidth : 0;
	float width = brand + tray.Width() + 1;
	float height = tray.Height() + 1;
	fBrand->ResizeTo(kBrandWidth - 1, height - 1);
	if (fExpanded && fBrand->IsHidden())
		fBrand->Show();
	else if (!fExpanded && !fBrand->IsHidden())
		fBrand->Hide();
	fTray->MoveTo(brand, 0);
	fTray->ResizeTo(tray.Width(), tray.Height());
	ResizeTo(width - 1, height - 1);

	BRect screen = BScreen(this).Frame();
	BPoint where(screen.right - width + 1, screen.top);
	switch (fLocation) {
		case B_DESKBAR_TOP:
		case B_DESKBAR_LEFT_TOP:
			where = screen.LeftTop();
			break;
		case B_DESKBAR_BOTTOM:
		case B_DESKBAR_LEFT_BOTTOM:
			where = BPoint(screen.left, screen.bottom - height + 1);
			break;
		case B_DESKBAR_RIGHT_BOTTOM:
			where = BPoint(screen.right - width + 1, screen.bottom - height + 1);
			break;
		case B_DESKBAR_RIGHT_TOP:
			break;
	}
	MoveTo(where);
}


void
DeskbarWindow::MessageReceived(BMessage* message)
{
	if (message->what == kTrayChanged) {
		_Place();
		return;
	}
	BWindow::MessageReceived(message);
}


void
DeskbarWindow::HandleRequest(BMessage* request)
{
	BMessage answer;
	status_t status = B_OK;
	switch (request->what) {
		case kDeskbarGetFrame:
			status = answer.AddRect("frame", Frame());
			break;
		case kDeskbarGetLocation:
			answer.AddInt32("location", fLocation);
			answer.AddBool("expanded", fExpanded);
			break;
		case kDeskbarSetLocation:
		{
			int32 location;
			bool expanded = false;
			if (request->FindInt32("location", &location) != B_OK
				|| location < B_DESKBAR_TOP || location > B_DESKBAR_RIGHT_BOTTOM) {
				status = B_BAD_VALUE;
				break;
			}
			request->FindBool("expanded", &expanded);
			fLocation = (deskbar_location)location;
			fExpanded = expanded;
			_Place();
			break;
		}
		case kDeskbarExpand:
			if (request->FindBool("expanded", &fExpanded) != B_OK)
				status = B_BAD_VALUE;
			_Place();
			break;
		case kDeskbarFindItem:
		{
			int32 id;
			const char* name;
			if (request->FindInt32("id", &id) == B_OK)
				status = fItems->Find(id, &name);
			else if (request->FindString("name", &name) == B_OK)
				status = fItems->Find(name, &id);
			else
				status = B_BAD_VALUE;
			if (status == B_OK) {
				answer.AddInt32("id", id);
				answer.AddString("name", name);
			}
			break;
		}
		case kDeskbarCountItems:
			answer.AddInt32("count", fItems->Count());
			break;
		case kDeskbarAddItem:
		{
			int32 id = -1;
			entry_ref ref;
			BMessage* archive = new BMessage;
			if (request->FindMessage("view", archive) == B_OK) {
				status = fItems->AddArchive(archive, &id);
				if (status != B_OK)
					delete archive;
			} else {
				delete archive;
				status = request->FindRef("addon", &ref) == B_OK
					? fItems->AddFromAddOn(ref, &id) : B_BAD_VALUE;
			}
			if (status == B_OK) {
				answer.AddInt32("id", id);
				_Place();
			}
			break;
		}
		case kDeskbarRemoveItem:
		{
			int32 id;
			const char* name;
			if (request->FindInt32("id", &id) != B_OK) {
				if (request->FindString("name", &name) != B_OK) {
					status = B_BAD_VALUE;
					break;
				}
				status = fItems->Find(name, &id);
			}
			if (status == B_OK)
				status = fItems->Remove(id);
			_Place();
			break;
		}
		default:
			status = B_BAD_VALUE;
			break;
	}
	reply(request, &answer, status);
}

} // namespace BPrivate

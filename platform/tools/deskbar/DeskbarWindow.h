// The Deskbar's window: a strip at an edge or corner of the screen, with the tray of items
// and, expanded, the Deskbar's name. It answers BDeskbar's requests (HandleRequest, with
// the window locked).
#ifndef _DESKBAR_WINDOW_H
#define _DESKBAR_WINDOW_H

#include <Deskbar.h>
#include <Window.h>

class BStringView;

namespace BPrivate {

class DeskbarItems;

class DeskbarWindow : public BWindow {
public:
	DeskbarWindow(const entry_ref* shelfRef);
	virtual ~DeskbarWindow();

	virtual void MessageReceived(BMessage* message);
	virtual bool QuitRequested();

	void HandleRequest(BMessage* request);

private:
	void _Place();

	BView* fBackground;
	BStringView* fBrand;
	BView* fTray;
	DeskbarItems* fItems;
	deskbar_location fLocation;
	bool fExpanded;
};

} // namespace BPrivate

#endif // _DESKBAR_WINDOW_H

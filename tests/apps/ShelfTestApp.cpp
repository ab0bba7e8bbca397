// A kit application whose window holds a shelf that shows zombies, saved to the file its
// argument names; the window also shows a view with a dragger. Asked 'drwn', it answers
// whether it draws draggers ("result"). The window's top left corner is on the screen at
// (100, 100) unless given.
//
//	ShelfTestApp <save file> [<left> <top>]
#include <Application.h>
#include <Dragger.h>
#include <Entry.h>
#include <Shelf.h>
#include <View.h>
#include <Window.h>

#include <stdio.h>
#include <stdlib.h>

namespace {

const uint32 kDraggersDrawn = 'drwn';


class ShelfWindow : public BWindow {
public:
	ShelfWindow(const entry_ref* saveRef, BPoint leftTop)
		:
		BWindow(BRect(0, 0, 199, 119).OffsetToCopy(leftTop), "Shelf test", B_TITLED_WINDOW,
			0)
	{
		BView* container = new BView(BRect(0, 0, 149, 119), "container", B_FOLLOW_NONE,
			B_WILL_DRAW);
		container->SetViewColor(make_color(230, 230, 230));
		AddChild(container);
		fShelf = new BShelf(saveRef, container);
		fShelf->SetDisplaysZombies(true);

		BView* source = new BView(BRect(160, 10, 189, 39), "source", B_FOLLOW_NONE,
			B_WILL_DRAW);
		source->SetViewColor(make_color(90, 140, 200));
		source->AddChild(new BDragger(BRect(22, 22, 29, 29), source));
		AddChild(source);
	}

	void Quit() override
	{
		// Deleting the shelf saves it.
		delete fShelf;
		fShelf = NULL;
		BWindow::Quit();
	}

	bool QuitRequested() override
	{
		be_app->PostMessage(B_QUIT_REQUESTED);
		return true;
	}

private:
	BShelf* fShelf;
};


class ShelfApp : public BApplication {
public:
	ShelfApp()
		:
		BApplication("application/x-vnd.test-shelf")
	{
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == kDraggersDrawn) {
			BMessage reply(B_REPLY);
			reply.AddBool("result", BDragger::AreDraggersDrawn());
			message->SendReply(&reply);
			return;
		}
		BApplication::MessageReceived(message);
	}
};

} // namespace


int
main(int argc, char** argv)
{
	if (argc != 2 && argc != 4) {
		fprintf(stderr, "usage: ShelfTestApp <save file> [<left> <top>]\n");
		return 2;
	}
	BPoint leftTop(100, 100);
	if (argc == 4)
		leftTop = BPoint(strtof(argv[2], NULL), strtof(argv[3], NULL));
	ShelfApp application;
	entry_ref ref;
	if (get_ref_for_path(argv[1], &ref) != B_OK)
		return 1;
	(new ShelfWindow(&ref, leftTop))->Show();
	application.Run();
	return 0;
}

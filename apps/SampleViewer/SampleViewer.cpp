// SampleViewer: an application with two windows of nested views, some of them nameless,
// one window without a title. Quorvane explores it; the tests drive it.
#include "SampleViews.h"

#include <Application.h>
#include <Window.h>

#include <stdio.h>
#include <string.h>

namespace {

const char* kSignature = "application/x-vnd.quorvane-SampleViewer";


BWindow*
CreateViewerWindow()
{
	BWindow* window = new BWindow(BRect(60, 60, 459, 319), "Sample Viewer",
		B_TITLED_WINDOW, B_QUIT_ON_WINDOW_CLOSE | B_ASYNCHRONOUS_CONTROLS);

	// Outer > Panel > Inner > Leaf, four levels deep, following the window's size.
	BView* outer = new SwatchView(BRect(10, 10, 389, 209), "Outer",
		make_color(216, 216, 216), B_FOLLOW_ALL_SIDES);
	BView* panel = new SwatchView(BRect(10, 24, 369, 189), "Panel",
		make_color(184, 200, 232), B_FOLLOW_ALL_SIDES);
	BView* inner = new SwatchView(BRect(10, 24, 199, 149), "Inner",
		make_color(240, 240, 160), B_FOLLOW_LEFT | B_FOLLOW_TOP_BOTTOM);
	BView* leaf = new SwatchView(BRect(10, 24, 119, 79), "Leaf",
		make_color(255, 176, 160), B_FOLLOW_LEFT | B_FOLLOW_TOP);
	inner->AddChild(leaf);
	inner->AddChild(new IconView(BPoint(140, 30), "Icon"));
	// A view without a name, inside a named one.
	inner->AddChild(new SwatchView(BRect(10, 90, 119, 115), NULL,
		make_color(160, 224, 160), B_FOLLOW_LEFT | B_FOLLOW_BOTTOM));
	panel->AddChild(inner);
	panel->AddChild(new SwatchView(BRect(209, 24, 349, 149), "Side",
		make_color(200, 160, 232), B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP_BOTTOM));
	outer->AddChild(panel);
	window->AddChild(outer);

	// A status strip without a name along the bottom.
	window->AddChild(new SwatchView(BRect(10, 219, 389, 249), NULL,
		make_color(152, 152, 152), B_FOLLOW_LEFT_RIGHT | B_FOLLOW_BOTTOM));
	return window;
}


BWindow*
CreateUntitledWindow()
{
	BWindow* window = new BWindow(BRect(480, 60, 719, 219), "", B_DOCUMENT_WINDOW, 0);
	BView* box = new SwatchView(BRect(10, 10, 229, 149), "Box",
		make_color(232, 216, 184), B_FOLLOW_ALL_SIDES);
	BView* nameless = new SwatchView(BRect(10, 24, 209, 129), NULL,
		make_color(184, 232, 232), B_FOLLOW_ALL_SIDES);
	nameless->AddChild(new SwatchView(BRect(10, 10, 99, 59), "Deep",
		make_color(255, 255, 255), B_FOLLOW_LEFT | B_FOLLOW_TOP));
	box->AddChild(nameless);
	window->AddChild(box);
	return window;
}


class SampleViewerApp : public BApplication {
public:
	SampleViewerApp()
		:
		BApplication(kSignature)
	{
	}

	virtual void ReadyToRun()
	{
		CreateViewerWindow()->Show();
		CreateUntitledWindow()->Show();
	}
};

} // namespace


int
main()
{
	SampleViewerApp app;
	if (app.InitCheck() != B_OK) {
		fprintf(stderr, "SampleViewer: cannot start (%s)\n", strerror(app.InitCheck()));
		return 1;
	}
	app.Run();
	return 0;
}

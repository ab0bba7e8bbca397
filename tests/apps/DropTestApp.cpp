// A kit application with one window of one colour: a press in it drags a message, and a
// message dropped on it is reported on standard output as "dropped <sender's process>
// <drop point x> <drop point y>".
//
//	DropTestApp <left> <top> <0xRRGGBB>
#include <Application.h>
#include <Message.h>
#include <View.h>
#include <Window.h>

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

const uint32 kTestDrag = 'tDrg';


class DropView : public BView {
public:
	DropView(BRect frame, rgb_color color)
		:
		BView(frame, "drop", B_FOLLOW_ALL, B_WILL_DRAW)
	{
		SetViewColor(color);
	}

	void MouseDown(BPoint where) override
	{
		BMessage message(kTestDrag);
		message.AddInt32("from", (int32)getpid());
		DragMessage(&message, BRect(where.x - 4, where.y - 4, where.x + 4, where.y + 4));
	}

	void MessageReceived(BMessage* message) override
	{
		int32 from = 0;
		if (message->WasDropped() && message->what == kTestDrag
			&& message->FindInt32("from", &from) == B_OK) {
			BPoint point = message->DropPoint();
			printf("dropped %d %g %g\n", (int)from, point.x, point.y);
			fflush(stdout);
			return;
		}
		BView::MessageReceived(message);
	}
};

} // namespace


int
main(int argc, char** argv)
{
	if (argc != 4) {
		fprintf(stderr, "usage: DropTestApp <left> <top> <0xRRGGBB>\n");
		return 2;
	}
	float left = strtof(argv[1], NULL);
	float top = strtof(argv[2], NULL);
	uint32 rgb = (uint32)strtoul(argv[3], NULL, 16);
	BApplication application("application/x-vnd.test-drop");
	BWindow* window = new BWindow(BRect(left, top, left + 99, top + 59), "Drop test",
		B_TITLED_WINDOW, 0);
	window->AddChild(new DropView(window->Bounds(), make_color(rgb >> 16, (rgb >> 8) & 0xff,
		rgb & 0xff)));
	window->Show();
	application.Run();
	return 0;
}

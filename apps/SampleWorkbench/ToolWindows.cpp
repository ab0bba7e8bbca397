// The palette and note windows.
#include "ToolWindows.h"

#include "WorkbenchDefs.h"

#include <Box.h>
#include <Button.h>
#include <CheckBox.h>
#include <Message.h>
#include <String.h>
#include <StringView.h>

#include <time.h>

namespace {

const uint32 kMsgPaletteOption = 'popt';
const uint32 kMsgPaletteClose = 'pcls';

} // namespace


PaletteWindow::PaletteWindow(BPoint where, BMessenger log)
	:
	BWindow(BRect(where.x, where.y, where.x + 220, where.y + 250), "Palette",
		B_FLOATING_WINDOW, B_NOT_RESIZABLE | B_ASYNCHRONOUS_CONTROLS),
	fLog(log)
{
	BView* back = new BView(Bounds(), "PaletteBack", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
	back->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	AddChild(back);

	BBox* drawing = new BBox(BRect(8, 8, 212, 100), "DrawingBox");
	drawing->SetLabel("Drawing");
	back->AddChild(drawing);
	const char* drawingOptions[] = { "Smooth edges", "Snap to grid", "Show rulers" };
	for (int32 i = 0; i < 3; i++) {
		BMessage* message = new BMessage(kMsgPaletteOption);
		message->AddString("option", drawingOptions[i]);
		BCheckBox* box = new BCheckBox(BRect(10, 20 + 22 * i, 190, 38 + 22 * i),
			drawingOptions[i], drawingOptions[i], message);
		box->SetValue(i != 2 ? B_CONTROL_ON : B_CONTROL_OFF);
		drawing->AddChild(box);
	}

	BBox* about = new BBox(BRect(8, 110, 212, 200), "HintBox", B_FOLLOW_LEFT | B_FOLLOW_TOP,
		B_WILL_DRAW | B_FRAME_EVENTS, B_PLAIN_BORDER);
	about->SetLabel("Hint");
	back->AddChild(about);
	about->AddChild(new BStringView(BRect(10, 22, 194, 40), "HintLine1",
		"Quorvane shows every view"));
	about->AddChild(new BStringView(BRect(10, 42, 194, 60), "HintLine2",
		"of this window, and its"));
	about->AddChild(new BStringView(BRect(10, 62, 194, 80), "HintLine3",
		"labels, as scripting targets."));

	BButton* close = new BButton(BRect(132, 212, 212, 240), "CloseButton", "Close",
		new BMessage(kMsgPaletteClose));
	back->AddChild(close);
}


void
PaletteWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgPaletteOption:
		{
			const char* option = NULL;
			int32 value = 0;
			message->FindString("option", &option);
			message->FindInt32("be:value", &value);
			BMessage line(kMsgLog);
			BString text;
			text << "Palette: " << (option != NULL ? option : "?")
				<< (value ? " on" : " off");
			line.AddString("text", text.String());
			fLog.SendMessage(&line);
			break;
		}
		case kMsgPaletteClose:
			Quit();
			break;
		default:
			BWindow::MessageReceived(message);
			break;
	}
}


NoteWindow::NoteWindow(BPoint where, int32 number)
	:
	BWindow(BRect(where.x, where.y, where.x + 260, where.y + 110),
		(BString("Note ") << number).String(), B_TITLED_WINDOW,
		B_NOT_ZOOMABLE | B_ASYNCHRONOUS_CONTROLS)
{
	BString title = Title();

	BView* back = new BView(Bounds(), "NoteBack", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
	back->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	AddChild(back);
	BStringView* heading = new BStringView(BRect(12, 10, 248, 28), "NoteTitle",
		title.String(), B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP);
	heading->SetFont(be_bold_font);
	back->AddChild(heading);

	char stamp[32];
	time_t now = time(NULL);
	strftime(stamp, sizeof(stamp), "Written at %H:%M:%S", localtime(&now));
	back->AddChild(new BStringView(BRect(12, 32, 248, 50), "NoteText", stamp,
		B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP));

	BButton* close = new BButton(BRect(168, 70, 248, 98), "CloseButton", "Close",
		new BMessage(kMsgCloseNote), B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM);
	close->MakeDefault(true);
	back->AddChild(close);
}


void
NoteWindow::MessageReceived(BMessage* message)
{
	if (message->what == kMsgCloseNote) {
		Quit();
		return;
	}
	BWindow::MessageReceived(message);
}

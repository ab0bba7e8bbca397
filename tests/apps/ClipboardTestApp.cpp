// A kit application that uses the system clipboard, for the clipboard's tests:
//
//	ClipboardTestApp [--x11 <display>] copy <text> [--stay]
//	ClipboardTestApp [--x11 <display>] paste
//	ClipboardTestApp watch
//
// copy commits the text as "text/plain" and prints "committed <count>"; with --stay it
// then runs until it is told to quit (an X11 clipboard lasts as long as its owner).
// paste prints "text <text>", or "empty" when the clipboard holds no text. watch prints
// "watching" once it watches, then "changed <text>" at the first change, and quits.
// --x11 opens the display there instead of drawing offscreen.
#include <Application.h>
#include <Clipboard.h>
#include <Message.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

namespace {

void
print_text(const char* prefix)
{
	const void* text = NULL;
	ssize_t size = 0;
	if (be_clipboard->Lock()) {
		if (be_clipboard->Data()->FindData("text/plain", B_MIME_TYPE, &text, &size) == B_OK)
			printf("%s %.*s\n", prefix, (int)size, (const char*)text);
		else
			printf("empty\n");
		be_clipboard->Unlock();
	}
	fflush(stdout);
}


class ClipboardTestApp : public BApplication {
public:
	ClipboardTestApp(std::string command, std::string text, bool stay)
		:
		BApplication("application/x-vnd.test-clipboard"),
		fCommand(command),
		fText(text),
		fStay(stay)
	{
	}

	virtual void ReadyToRun()
	{
		if (fCommand == "copy") {
			if (be_clipboard->Lock()) {
				be_clipboard->Clear();
				be_clipboard->Data()->AddData("text/plain", B_MIME_TYPE, fText.data(),
					fText.size());
				status_t status = be_clipboard->Commit();
				printf(status == B_OK ? "committed %u\n" : "failed %u\n",
					(unsigned)be_clipboard->LocalCount());
				be_clipboard->Unlock();
			}
			fflush(stdout);
			if (!fStay)
				PostMessage(B_QUIT_REQUESTED);
		} else if (fCommand == "paste") {
			print_text("text");
			PostMessage(B_QUIT_REQUESTED);
		} else if (fCommand == "watch") {
			be_clipboard->StartWatching(be_app_messenger);
			printf("watching\n");
			fflush(stdout);
		} else
			PostMessage(B_QUIT_REQUESTED);
	}

	virtual void MessageReceived(BMessage* message)
	{
		if (message->what == B_CLIPBOARD_CHANGED) {
			print_text("changed");
			PostMessage(B_QUIT_REQUESTED);
			return;
		}
		BApplication::MessageReceived(message);
	}

private:
	std::string fCommand;
	std::string fText;
	bool fStay;
};

} // namespace


int
main(int argc, char** argv)
{
	int first = 1;
	setenv("BE_DISPLAY", "offscreen", 1);
	if (argc > 3 && strcmp(argv[1], "--x11") == 0) {
		setenv("BE_DISPLAY", "x11", 1);
		setenv("DISPLAY", argv[2], 1);
		first = 3;
	}
	if (argc <= first)
		return 2;
	std::string text = argc > first + 1 ? argv[first + 1] : "";
	bool stay = argc > first + 2 && strcmp(argv[first + 2], "--stay") == 0;
	ClipboardTestApp app(argv[first], text, stay);
	app.Run();
	return 0;
}

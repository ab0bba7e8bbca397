// The workbench's smaller windows: a palette of settings and note windows.
#ifndef TOOL_WINDOWS_H
#define TOOL_WINDOWS_H

#include <Messenger.h>
#include <Window.h>

class BCheckBox;

// Tool settings in two labelled boxes; changes are logged in the main window.
class PaletteWindow : public BWindow {
public:
							PaletteWindow(BPoint where, BMessenger log);

	virtual	void			MessageReceived(BMessage* message);

private:
			BMessenger		fLog;
};


// A note: a title line, a text and a button that closes it.
class NoteWindow : public BWindow {
public:
							NoteWindow(BPoint where, int32 number);

	virtual	void			MessageReceived(BMessage* message);
};

#endif // TOOL_WINDOWS_H

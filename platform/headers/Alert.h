// A small modal window with a message, an icon for its kind and up to three buttons. The
// rightmost button is the default one (Enter presses it). Go() shows the alert; the alert
// deletes itself once a button was pressed.
#ifndef _ALERT_H
#define _ALERT_H

#include <Window.h>

#include <memory>
#include <string>

class BButton;
class BInvoker;
class BTextView;

namespace BPrivate {
class AlertView;
struct AlertWait;
}

enum button_spacing {
	B_EVEN_SPACING = 0,
	B_OFFSET_SPACING
};

class BAlert : public BWindow {
public:
							BAlert(const char* title, const char* text,
								const char* button0, const char* button1 = NULL,
								const char* button2 = NULL,
								button_width width = B_WIDTH_AS_USUAL,
								alert_type type = B_INFO_ALERT);
							BAlert(const char* title, const char* text,
								const char* button0, const char* button1,
								const char* button2, button_width width,
								button_spacing spacing, alert_type type = B_INFO_ALERT);
	// An alert from its archive (docs/archives.md): the window's fields, the text,
	// type, button width and shortcuts, and the labels of the archived buttons.
							BAlert(BMessage* archive);
	virtual					~BAlert();

	static	BArchivable*	Instantiate(BMessage* archive);
	// Always writes the alert's views, whatever deep says: its buttons are its content.
	virtual	status_t		Archive(BMessage* archive, bool deep = true) const;

			void			SetType(alert_type type);
			alert_type		Type() const { return fType; }
			// Typing key (without Command) presses the button at index.
			void			SetShortcut(int32 index, char key);
			char			Shortcut(int32 index) const;
			BButton*		ButtonAt(int32 index) const;
			int32			CountButtons() const { return fButtonCount; }
			const char*		Text() const;
	// The message's text view ("_tv_"), stylable but neither editable nor selectable.
			BTextView*		TextView() const;
	// These lay the alert out again.
			void			SetText(const char* text);
			void			SetButtonSpacing(button_spacing spacing);
			void			SetButtonWidth(button_width width);
	// Adds a button on the right, which becomes the default one, typed key pressing
	// it; an alert has at most 3 buttons, and a further one is not added.
			void			AddButton(const char* label, char key = 0);
	// Where an alert of that size goes: centred across the screen, its middle a third
	// of the way down.
			BPoint			AlertPosition(float width, float height);

	// Shows the alert and waits: the index of the button pressed, or -1 when the alert
	// could not be shown. A window thread that waits keeps drawing its window.
			int32			Go();
	// Shows the alert and returns at once. The invoker's message, with "which" (the
	// button's index) added, is sent when a button is pressed; the alert deletes the
	// invoker. With NULL nothing is sent.
			status_t		Go(BInvoker* invoker);

	virtual	void			MessageReceived(BMessage* message);
	virtual	void			DispatchMessage(BMessage* message, BHandler* handler);

private:
			void			_Init(const char* text, const char* button0,
								const char* button1, const char* button2,
								button_width width, button_spacing spacing,
								alert_type type);
			void			_Layout();
			void			_Dismiss(int32 index);

			BPrivate::AlertView* fView;
			BButton*		fButtons[3];
			char			fShortcuts[3];
			int32			fButtonCount;
			button_width	fButtonWidth;
			button_spacing	fButtonSpacing;
			alert_type		fType;
			BInvoker*		fInvoker;
			std::shared_ptr<BPrivate::AlertWait> fWait;
};

#endif // _ALERT_H

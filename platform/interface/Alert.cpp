// BAlert: lays out its text and buttons, shows itself centred on the screen, and answers
// the button pressed to whoever waits, or through an invoker.
#include <Alert.h>

#include "interface/AlertView.h"

#include <Button.h>
#include <Invoker.h>
#include <Message.h>
#include <Screen.h>
#include <TextView.h>

#include <chrono>
#include <condition_variable>
#include <math.h>
#include <mutex>
#include <string.h>

namespace BPrivate {

// What a synchronous Go() waits on; it outlives the alert, which deletes itself.
struct AlertWait {
	std::mutex				lock;
	std::condition_variable	done;
	bool					dismissed = false;
	int32					result = -1;
};

} // namespace BPrivate

namespace {

const uint32 kButtonPressed = 'ALTB';
const float kMargin = 12;
const float kButtonGap = 8;
const float kOffsetGap = 24;
const float kMaxTextWidth = 320;
const float kMinTextWidth = 180;

} // namespace


BAlert::BAlert(const char* title, const char* text, const char* button0,
	const char* button1, const char* button2, button_width width, alert_type type)
	:
	BWindow(BRect(0, 0, 99, 99), title, B_MODAL_WINDOW,
		B_NOT_RESIZABLE | B_NOT_CLOSABLE | B_NOT_ZOOMABLE | B_NOT_MINIMIZABLE
			| B_ASYNCHRONOUS_CONTROLS)
{
	_Init(text, button0, button1, button2, width, B_EVEN_SPACING, type);
}


BAlert::BAlert(const char* title, const char* text, const char* button0,
	const char* button1, const char* button2, button_width width, button_spacing spacing,
	alert_type type)
	:
	BWindow(BRect(0, 0, 99, 99), title, B_MODAL_WINDOW,
		B_NOT_RESIZABLE | B_NOT_CLOSABLE | B_NOT_ZOOMABLE | B_NOT_MINIMIZABLE
			| B_ASYNCHRONOUS_CONTROLS)
{
	_Init(text, button0, button1, button2, width, spacing, type);
}


BAlert::~BAlert()
{
	// Closed without a button (by its application quitting): a waiting Go() gets -1.
	if (fWait != nullptr) {
		std::lock_guard<std::mutex> locker(fWait->lock);
		if (!fWait->dismissed) {
			fWait->dismissed = true;
			fWait->done.notify_all();
		}
	}
	delete fInvoker;
}


void
BAlert::_Init(const char* text, const char* button0, const char* button1,
	const char* button2, button_width width, button_spacing spacing, alert_type type)
{
	fType = type;
	fInvoker = NULL;
	fButtonCount = 0;
	fButtonWidth = width;
	fButtonSpacing = spacing;
	memset(fShortcuts, 0, sizeof(fShortcuts));
	memset(fButtons, 0, sizeof(fButtons));

	fView = new BPrivate::AlertView(Bounds(), text, type);
	AddChild(fView);
	const char* labels[3] = { button0, button1, button2 };
	for (int32 i = 0; i < 3 && labels[i] != NULL; i++)
		AddButton(labels[i]);
	_Layout();
}


void
BAlert::AddButton(const char* label, char key)
{
	if (fButtonCount == 3 || label == NULL)
		return;
	int32 index = fButtonCount;
	BMessage* message = new BMessage(kButtonPressed);
	message->AddInt32("which", index);
	char name[16];
	snprintf(name, sizeof(name), "_b%d_", (int)index);
	fButtons[index] = new BButton(BRect(0, 0, 10, 10), name, label, message,
		B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM);
	fButtonCount++;
	fShortcuts[index] = key;
	// The rightmost button is the default one.
	if (index > 0)
		fButtons[index - 1]->MakeDefault(false);
	fView->AddChild(fButtons[index]);
	fButtons[index]->MakeDefault(true);
	_Layout();
}


BTextView*
BAlert::TextView() const
{
	return fView->TextView();
}


void
BAlert::SetText(const char* text)
{
	TextView()->SetText(text);
	_Layout();
}


void
BAlert::SetButtonSpacing(button_spacing spacing)
{
	fButtonSpacing = spacing;
	_Layout();
}


void
BAlert::SetButtonWidth(button_width width)
{
	fButtonWidth = width;
	_Layout();
}


BPoint
BAlert::AlertPosition(float width, float height)
{
	BRect screen = BScreen(this).Frame();
	return BPoint(floorf(screen.left + (screen.Width() - width) / 2),
		floorf(screen.top + screen.Height() / 3 - height / 2));
}


void
BAlert::_Layout()
{
	button_width width = fButtonWidth;
	button_spacing spacing = fButtonSpacing;
	float widths[3] = {};
	float heights[3] = {};
	float widest = 0;
	float tallest = 0;
	for (int32 i = 0; i < fButtonCount; i++) {
		fButtons[i]->GetPreferredSize(&widths[i], &heights[i]);
		if (width == B_WIDTH_FROM_LABEL) {
			// Just the label and its margins, however short.
			float labelOnly = ceilf(fButtons[i]->StringWidth(fButtons[i]->Label()) + 20
				+ (fButtons[i]->IsDefault() ? 6 : 0));
			widths[i] = labelOnly;
		}
		widest = widths[i] > widest ? widths[i] : widest;
		tallest = heights[i] > tallest ? heights[i] : tallest;
	}
	float buttonsWidth = 0;
	for (int32 i = 0; i < fButtonCount; i++) {
		if (width == B_WIDTH_FROM_WIDEST)
			widths[i] = widest;
		buttonsWidth += widths[i] + (i > 0 ? kButtonGap : 0);
	}
	if (spacing == B_OFFSET_SPACING && fButtonCount > 1)
		buttonsWidth += kOffsetGap;

	// The text takes its natural width within limits, and at least the buttons' room.
	float textWidth = kMinTextWidth;
	const char* text = Text();
	for (const char* line = text; *line != '\0';) {
		const char* end = strchr(line, '\n');
		int32 length = end != NULL ? (int32)(end - line) : (int32)strlen(line);
		float lineWidth = TextView()->StringWidth(line, length);
		textWidth = lineWidth > textWidth ? lineWidth : textWidth;
		if (end == NULL)
			break;
		line = end + 1;
	}
	textWidth = ceilf(textWidth < kMaxTextWidth ? textWidth : kMaxTextWidth);
	float left = fView->TextLeft();
	float contentWidth = textWidth > buttonsWidth ? textWidth : buttonsWidth;
	float windowWidth = left + contentWidth + kMargin;
	float textHeight = fView->LayoutText(windowWidth - left - kMargin);
	float windowHeight = ceilf(textHeight + kMargin + tallest + kMargin);
	ResizeTo(windowWidth, windowHeight);

	float x = windowWidth - kMargin;
	for (int32 i = fButtonCount - 1; i >= 0; i--) {
		x -= widths[i];
		float top = windowHeight - kMargin - tallest + (tallest - heights[i]) / 2;
		fButtons[i]->MoveTo(x, floorf(top));
		fButtons[i]->ResizeTo(widths[i], heights[i]);
		x -= kButtonGap;
		if (i == 1 && spacing == B_OFFSET_SPACING)
			x -= kOffsetGap;
	}

	MoveTo(AlertPosition(windowWidth, windowHeight));
}


void
BAlert::SetType(alert_type type)
{
	fType = type;
	fView->SetType(type);
}


void
BAlert::SetShortcut(int32 index, char key)
{
	if (index >= 0 && index < fButtonCount)
		fShortcuts[index] = key;
}


char
BAlert::Shortcut(int32 index) const
{
	return index >= 0 && index < fButtonCount ? fShortcuts[index] : 0;
}


BButton*
BAlert::ButtonAt(int32 index) const
{
	return index >= 0 && index < fButtonCount ? fButtons[index] : NULL;
}


const char*
BAlert::Text() const
{
	return TextView()->Text();
}


int32
BAlert::Go()
{
	std::shared_ptr<BPrivate::AlertWait> wait = std::make_shared<BPrivate::AlertWait>();
	fWait = wait;
	// A window that waits for its own alert still draws itself.
	BWindow* caller = dynamic_cast<BWindow*>(BLooper::LooperForThread(find_thread(NULL)));
	Show();
	// From here on the alert may be gone at any time; only the wait is ours.
	std::unique_lock<std::mutex> locker(wait->lock);
	while (!wait->dismissed) {
		if (caller == NULL) {
			wait->done.wait(locker);
			continue;
		}
		wait->done.wait_for(locker, std::chrono::milliseconds(50));
		locker.unlock();
		caller->UpdateIfNeeded();
		locker.lock();
	}
	return wait->result;
}


status_t
BAlert::Go(BInvoker* invoker)
{
	fInvoker = invoker;
	Show();
	return B_OK;
}


void
BAlert::_Dismiss(int32 index)
{
	if (fInvoker != NULL && fInvoker->Message() != NULL) {
		BMessage copy(*fInvoker->Message());
		copy.AddInt32("which", index);
		fInvoker->Invoke(&copy);
	}
	if (fWait != nullptr) {
		std::lock_guard<std::mutex> locker(fWait->lock);
		fWait->result = index;
		fWait->dismissed = true;
		fWait->done.notify_all();
	}
	Quit();
}


void
BAlert::MessageReceived(BMessage* message)
{
	int32 which;
	if (message->what == kButtonPressed && message->FindInt32("which", &which) == B_OK) {
		_Dismiss(which);
		return;
	}
	BWindow::MessageReceived(message);
}


void
BAlert::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (message->what == B_KEY_DOWN) {
		const char* bytes = NULL;
		int32 modifiers = 0;
		message->FindInt32("modifiers", &modifiers);
		if (message->FindString("bytes", &bytes) == B_OK && bytes != NULL
			&& bytes[0] != '\0' && bytes[1] == '\0' && (modifiers & B_COMMAND_KEY) == 0) {
			for (int32 i = 0; i < fButtonCount; i++) {
				if (fShortcuts[i] != 0 && fShortcuts[i] == bytes[0]) {
					fButtons[i]->Invoke();
					return;
				}
			}
		}
	}
	BWindow::DispatchMessage(message, handler);
}

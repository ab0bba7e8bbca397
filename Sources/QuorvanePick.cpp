// Pick a View: the window holds the pointer (its outline list takes every pointer event
// while the pick goes on, on X11 through a pointer grab) and shows a crosshair over the
// whole screen; the left click's point, the display's windows in their stacking order
// and the analysed frames tell which row to select. Nothing is asked of any target.
#include "QuorvaneApp.h"

#include <AppDefs.h>
#include <Application.h>
#include <Cursor.h>
#include <InterfaceDefs.h>
#include <Message.h>
#include <View.h>

#include <vector>

#include "ScriptingTargets.h"
#include "ViewPicker.h"


namespace {

const char* const kPickPrompt = "Pick a View: click it (Escape cancels)";

} // namespace


void
QuorvaneWindow::_StartPick()
{
	if (!fCanPick || fPicking)
		return;
	fPicking = true;
	fPickPressed = false;
	BCursor crosshair(B_CURSOR_ID_CROSS_HAIR);
	be_app->SetCursor(&crosshair, true);
	fView->SetMouseEventMask(B_POINTER_EVENTS);
	fPickNote = kPickPrompt;
	_ShowSpecifier();
}


void
QuorvaneWindow::_EndPick()
{
	fPicking = false;
	fPickPressed = false;
	fView->SetMouseEventMask(0);
	BCursor standard(B_CURSOR_ID_SYSTEM_DEFAULT);
	be_app->SetCursor(&standard, true);
}


void
QuorvaneWindow::_CancelPick(const char* reason)
{
	fPickNote = "Pick canceled: ";
	fPickNote << reason;
	_ShowSpecifier();
}


void
QuorvaneWindow::_PickAt(BPoint screenPoint)
{
	std::vector<PickableApplication> applications;
	for (int32 i = 0; i < fView->FullListCountItems(); i++) {
		auto* application = dynamic_cast<ScriptingApplication*>(
			fView->FullListItemAt(i));
		if (application != NULL && application->OutlineLevel() == 0)
			applications.push_back({ application->Team(), application });
	}
	BMessage stack;
	if (get_window_stack(&stack) != B_OK) {
		_CancelPick("the display lists no windows");
		return;
	}
	PickOutcome outcome;
	ScriptingElement* node = PickTarget(applications, ShownWindowsFrom(stack),
		screenPoint, &outcome);
	int32 row = node != NULL ? fView->FullListIndexOf(node) : -1;
	if (row < 0) {
		_CancelPick(outcome == kPickNoKitWindow ? "no kit application's window there"
			: "that window is not in the outline");
		return;
	}
	fPickNote = "";
	_ShowSpecifier();
	fView->Reveal(row);
}


void
QuorvaneWindow::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (!fPicking) {
		BWindow::DispatchMessage(message, handler);
		return;
	}
	switch (message->what) {
		case B_MOUSE_DOWN:
		{
			// "where" is in the window's coordinates: the window holds the pointer.
			int32 buttons = 0;
			BPoint where;
			message->FindInt32("buttons", &buttons);
			if (!fPickPressed && buttons == B_PRIMARY_MOUSE_BUTTON
				&& message->FindPoint("where", &where) == B_OK) {
				fPickPressed = true;
				fPickPoint = ConvertToScreen(where);
			}
			return;
		}
		case B_MOUSE_UP:
		{
			int32 buttons = 0;
			message->FindInt32("buttons", &buttons);
			if (fPickPressed && buttons == 0) {
				_EndPick();
				_PickAt(fPickPoint);
			}
			return;
		}
		case B_MOUSE_MOVED:
			return;
		case B_KEY_DOWN:
		{
			const char* bytes;
			if (message->FindString("bytes", &bytes) == B_OK && bytes[0] == B_ESCAPE) {
				_EndPick();
				_CancelPick("Escape pressed");
				return;
			}
			break;
		}
	}
	BWindow::DispatchMessage(message, handler);
}

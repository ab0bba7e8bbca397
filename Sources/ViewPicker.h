// Which target a point on the screen shows: the deepest visible view under it in the
// frontmost window there, found from what the analysis recorded (each window's title and
// frame, each view's frame in its parent and whether it is hidden) and from the display's
// windows in their stacking order (get_window_stack()). It asks no target anything.
#ifndef VIEW_PICKER_H
#define VIEW_PICKER_H

#include <Message.h>
#include <OS.h>
#include <Point.h>
#include <Rect.h>
#include <String.h>

#include <vector>

class ScriptingElement;

// A window shown on the screen, frontmost first in a stack.
struct ShownWindow {
	BRect			frame;
	BString			title;
	// The team of a kit application's window; -1 for another program's.
	team_id			team;
};

// An analysed application: its node's children are its windows, theirs its views.
struct PickableApplication {
	team_id			team;
	ScriptingElement* node;
};

enum PickOutcome {
	kPickFound,
	// The frontmost window at the point is another program's, or there is none.
	kPickNoKitWindow,
	// It is a kit window, but of no analysed application or of no analysed window.
	kPickNotAnalysed
};

// The windows of get_window_stack()'s answer.
std::vector<ShownWindow> ShownWindowsFrom(const BMessage& stack);

// The node of the deepest view shown at where (screen coordinates), or of the window
// itself when no view of it is there; NULL with the reason in outcome otherwise.
ScriptingElement*	PickTarget(const std::vector<PickableApplication>& applications,
						const std::vector<ShownWindow>& stack, BPoint where,
						PickOutcome* outcome);

#endif // VIEW_PICKER_H

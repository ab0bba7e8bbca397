#include "ViewPicker.h"

#include "ScriptingElement.h"

#include <math.h>


namespace {

// The analysed window that a shown window of its team is: the shown one's title first,
// then the size the analysis recorded.
ScriptingElement*
MatchWindow(ScriptingElement* application, const ShownWindow& shown)
{
	ScriptingElement* sameTitle = NULL;
	for (int32 i = 0; i < application->CountChildren(); i++) {
		ScriptingElement* window = const_cast<ScriptingElement*>(
			application->ChildAt(i));
		if (window->IsHidden() || window->GetName() != shown.title)
			continue;
		BRect frame = window->Frame();
		if (frame.IsValid() && fabsf(frame.Width() - shown.frame.Width()) < 1
			&& fabsf(frame.Height() - shown.frame.Height()) < 1)
			return window;
		if (sameTitle == NULL)
			sameTitle = window;
	}
	return sameTitle;
}


// The deepest shown view under point (in node's coordinates). A child is looked into
// only where it holds the point, so what reaches past its parent is cut there, as it is
// drawn. The last child is drawn over the others, so the children are tried from the
// last.
ScriptingElement*
DeepestAt(ScriptingElement* node, BPoint point)
{
	for (int32 i = node->CountChildren(); i-- > 0;) {
		ScriptingElement* child = const_cast<ScriptingElement*>(node->ChildAt(i));
		BRect frame = child->Frame();
		if (child->IsHidden() || !frame.IsValid() || !frame.Contains(point))
			continue;
		return DeepestAt(child, point - frame.LeftTop());
	}
	return node;
}

} // namespace


std::vector<ShownWindow>
ShownWindowsFrom(const BMessage& stack)
{
	std::vector<ShownWindow> windows;
	BRect frame;
	for (int32 i = 0; stack.FindRect("frame", i, &frame) == B_OK; i++) {
		ShownWindow window;
		window.frame = frame;
		const char* title = "";
		stack.FindString("title", i, &title);
		window.title = title;
		int32 team = -1;
		stack.FindInt32("team", i, &team);
		window.team = team;
		windows.push_back(window);
	}
	return windows;
}


ScriptingElement*
PickTarget(const std::vector<PickableApplication>& applications,
	const std::vector<ShownWindow>& stack, BPoint where, PickOutcome* outcome)
{
	*outcome = kPickNoKitWindow;
	for (const ShownWindow& shown : stack) {
		if (!shown.frame.Contains(where))
			continue;
		// The frontmost window at the point decides, whoever's it is.
		if (shown.team < 0)
			return NULL;
		*outcome = kPickNotAnalysed;
		for (const PickableApplication& application : applications) {
			if (application.team != shown.team || application.node == NULL)
				continue;
			ScriptingElement* window = MatchWindow(application.node, shown);
			if (window == NULL)
				continue;
			*outcome = kPickFound;
			// The display's frame is where the window is now; the analysed one may be
			// older.
			return DeepestAt(window, where - shown.frame.LeftTop());
		}
		return NULL;
	}
	return NULL;
}

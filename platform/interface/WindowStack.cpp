#include <InterfaceDefs.h>

#include "display/Display.h"
#include "interface/DropTarget.h"

#include <Message.h>
#include <Messenger.h>


// A kit window tells the display a messenger to itself (its drop target); another
// program's window tells nothing. What the description holds is another process's word:
// one that does not decode counts as another program's window.
status_t
get_window_stack(BMessage* windows)
{
	if (windows == NULL)
		return B_BAD_VALUE;
	std::vector<BPrivate::StackedWindow> stack;
	status_t status = BPrivate::Display::Default()->GetWindowStack(&stack);
	if (status != B_OK)
		return status;
	windows->MakeEmpty();
	for (const BPrivate::StackedWindow& window : stack) {
		BMessenger target;
		team_id team = -1;
		if (!window.dropTarget.empty()
			&& BPrivate::decode_drop_target(window.dropTarget, &target) == B_OK)
			team = target.Team();
		windows->AddRect("frame", window.frame);
		windows->AddString("title", window.title.c_str());
		windows->AddInt32("team", team);
	}
	return B_OK;
}

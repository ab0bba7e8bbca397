// What the scripting suites of windows, views and widgets share beyond the kit's suites
// (app/ScriptingReplies.h): the answers of the properties that windows and views both
// have, so that the same request gets the same reply from either.
//
// A widget's table follows the kit's convention: each row's extra_data is a tag from an
// enum of the class, starting at 1, and ResolveSpecifier and MessageReceived switch on the
// tag that match_property returns:
//
//	enum { kLabelProperty = 1 };
//	property_info stBoxProperties[] = {
//		{ "Label", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
//			"The box's label.", kLabelProperty, { B_STRING_TYPE } },
//		{ NULL }
//	};
//	...
//	switch (BPrivate::match_property(message, stBoxProperties)) {
//		case kLabelProperty: ...
//
// A set request without "data" of the property's type is answered B_BAD_VALUE
// (find_data), not left unanswered.
#ifndef _WIDGET_SCRIPTING_H
#define _WIDGET_SCRIPTING_H

#include <AppDefs.h>
#include <Message.h>
#include <PropertyInfo.h>

#include "app/ScriptingReplies.h"

namespace BPrivate {

// "Frame" of a window or view: a get adds the frame to reply as "result", a set moves and
// resizes the target to its rectangle "data". The status for the reply's "error".
template<class Target>
status_t
answer_frame(Target* target, BMessage* message, BMessage* reply)
{
	if (message->what == B_GET_PROPERTY)
		return reply->AddRect("result", target->Frame());
	BRect frame;
	status_t status = find_data(message, &frame);
	if (status == B_OK) {
		target->MoveTo(frame.LeftTop());
		target->ResizeTo(frame.Width(), frame.Height());
	}
	return status;
}


// "Hidden" of a window or view: a get adds IsHidden() to reply as "result", a set hides or
// shows the target as its bool "data" says, unless hiddenItself (whether the target
// itself, not an ancestor, is hidden) already says so.
template<class Target>
status_t
answer_hidden(Target* target, bool hiddenItself, BMessage* message, BMessage* reply)
{
	if (message->what == B_GET_PROPERTY)
		return reply->AddBool("result", target->IsHidden());
	bool hidden;
	status_t status = find_data(message, &hidden);
	if (status == B_OK && hidden != hiddenItself) {
		if (hidden)
			target->Hide();
		else
			target->Show();
	}
	return status;
}

} // namespace BPrivate

#endif // _WIDGET_SCRIPTING_H

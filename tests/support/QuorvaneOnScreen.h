// For tests of Quorvane running as its own process on a private X server beside the
// sample workbench: where its window and outline list are, its rows' colour, and what its
// specifier field and the workbench's views say through the scripting protocol. Header
// only: the program's tests link the parser it uses.
#ifndef _QUORVANE_ON_SCREEN_H
#define _QUORVANE_ON_SCREEN_H

#include <AppDefs.h>
#include <Message.h>
#include <Messenger.h>
#include <Rect.h>

#include <string>

#include "SpecifierParser.h"

namespace quorvane_on_screen {

const char* const kQuorvane = "application/x-vnd.thessory-Quorvane";
const char* const kWorkbench = "application/x-vnd.quorvane-SampleWorkbench";
const int kWidth = 1024;
const int kHeight = 768;
// Quorvane's window sits at (50, 50); its outline list starts 279 pixels in.
const int kListLeft = 50 + 279;
const int kListRight = 50 + 540;


// The red of the outline's rows' names.
inline bool
is_red(uint32 pixel)
{
	return ((pixel >> 16) & 0xff) > 150 && ((pixel >> 8) & 0xff) < 90 && (pixel & 0xff) < 90;
}


// The text of Quorvane's specifier field, asked through the scripting protocol.
inline std::string
specifier_text()
{
	BMessage request(B_GET_PROPERTY);
	request.AddSpecifier("Text");
	request.AddSpecifier("View", "fSpecifier");
	request.AddSpecifier("View", "fBackView");
	request.AddSpecifier("Window", "Quorvane");
	BMessage reply;
	const char* text = NULL;
	if (BMessenger(kQuorvane).SendMessage(&request, &reply, 5000000, 5000000) != B_OK
		|| reply.FindString("result", &text) != B_OK)
		return "";
	return text;
}


// A property of the target that phrase addresses in signature's application.
inline BMessage
workbench_reply(const std::string& request, const char* signature = kWorkbench)
{
	BMessage message(B_GET_PROPERTY);
	BMessage reply;
	if (parse_specifiers(request.c_str(), &message, false).status != B_OK
		|| BMessenger(signature).SendMessage(&message, &reply, 5000000, 5000000) != B_OK)
		reply.MakeEmpty();
	return reply;
}


// The "Frame" of the target that phrase addresses in the workbench.
inline BRect
frame_of(const std::string& phrase, const char* signature = kWorkbench)
{
	BRect frame;
	workbench_reply("Frame of " + phrase, signature).FindRect("result", &frame);
	return frame;
}

} // namespace quorvane_on_screen

#endif // _QUORVANE_ON_SCREEN_H

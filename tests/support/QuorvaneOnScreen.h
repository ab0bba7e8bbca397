// For tests of Quorvane running as its own process on a private X server beside the
// sample workbench: where its window and outline list are, its rows' colour, and what its
// specifier field and the workbench's views say through the scripting protocol, and
// the outline window that Highlight Selection shows. Header
// only: the program's tests link the parser it uses.
#ifndef _QUORVANE_ON_SCREEN_H
#define _QUORVANE_ON_SCREEN_H

#include <AppDefs.h>
#include <Message.h>
#include <Messenger.h>
#include <Rect.h>

#include <stdlib.h>

#include <string>

#include <xcb/shape.h>
#include <xcb/xcb.h>

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


// What the server knows of the top-level window titled "Quorvane outline".
struct OutlineWindow {
	bool		found = false;
	bool		mapped = false;
	bool		overrideRedirect = false;
	BRect		frame;
	int			inputRectangles = -1;
};


inline OutlineWindow
find_outline(xcb_connection_t* connection)
{
	OutlineWindow outline;
	xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
	xcb_query_tree_reply_t* tree = xcb_query_tree_reply(connection,
		xcb_query_tree(connection, screen->root), NULL);
	if (tree == NULL)
		return outline;
	xcb_window_t* children = xcb_query_tree_children(tree);
	for (int i = 0; i < xcb_query_tree_children_length(tree); i++) {
		xcb_get_property_reply_t* name = xcb_get_property_reply(connection,
			xcb_get_property(connection, 0, children[i], XCB_ATOM_WM_NAME,
				XCB_ATOM_STRING, 0, 64), NULL);
		bool match = name != NULL && std::string((const char*)xcb_get_property_value(name),
			xcb_get_property_value_length(name)) == "Quorvane outline";
		free(name);
		if (!match)
			continue;
		outline.found = true;
		xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
			connection, xcb_get_window_attributes(connection, children[i]), NULL);
		if (attributes != NULL) {
			outline.mapped = attributes->map_state == XCB_MAP_STATE_VIEWABLE;
			outline.overrideRedirect = attributes->override_redirect;
		}
		free(attributes);
		xcb_get_geometry_reply_t* geometry = xcb_get_geometry_reply(connection,
			xcb_get_geometry(connection, children[i]), NULL);
		if (geometry != NULL) {
			outline.frame = BRect(geometry->x, geometry->y,
				geometry->x + geometry->width - 1, geometry->y + geometry->height - 1);
		}
		free(geometry);
		xcb_shape_get_rectangles_reply_t* input = xcb_shape_get_rectangles_reply(connection,
			xcb_shape_get_rectangles(connection, children[i], XCB_SHAPE_SK_INPUT), NULL);
		if (input != NULL)
			outline.inputRectangles = input->rectangles_len;
		free(input);
	}
	free(tree);
	return outline;
}

} // namespace quorvane_on_screen

#endif // _QUORVANE_ON_SCREEN_H

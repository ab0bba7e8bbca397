// Where the text views' Cut, Copy and Paste keep text: the clipboard they are given, as
// "text/plain"; without one (a process that has no application, so no be_clipboard), a
// buffer of the process.
#ifndef _TEXT_CLIPBOARD_H
#define _TEXT_CLIPBOARD_H

#include <string>

class BClipboard;

namespace BPrivate {

// The MIME type of plain text on the clipboard and in dragged messages.
const char* const kTextType = "text/plain";

void set_clipboard_text(BClipboard* clipboard, const std::string& text);
std::string clipboard_text(BClipboard* clipboard);

} // namespace BPrivate

#endif // _TEXT_CLIPBOARD_H

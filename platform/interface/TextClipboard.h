// Where the text views' Cut, Copy and Paste keep text: the clipboard they are given, as
// "text/plain" with, from a stylable view, its flattened runs; without one (a process that
// has no application, so no be_clipboard), a buffer of the process.
#ifndef _TEXT_CLIPBOARD_H
#define _TEXT_CLIPBOARD_H

#include <string>

class BClipboard;

namespace BPrivate {

// The MIME type of plain text on the clipboard and in dragged messages.
const char* const kTextType = "text/plain";
// The MIME type of a text's flattened runs beside it.
const char* const kRunsType = "application/x-vnd.Be-text_run_array";

// Puts text, and flatRuns unless empty, on the clipboard in place of what it held.
void set_clipboard_text(BClipboard* clipboard, const std::string& text,
	const std::string& flatRuns = std::string());
// The clipboard's text; flatRuns (when given) gets its flattened runs, empty without.
std::string clipboard_text(BClipboard* clipboard, std::string* flatRuns = NULL);

} // namespace BPrivate

#endif // _TEXT_CLIPBOARD_H

// Where the text views' Cut, Copy and Paste keep text: a buffer of this process, until
// the kit has a clipboard shared between applications.
#ifndef _TEXT_CLIPBOARD_H
#define _TEXT_CLIPBOARD_H

#include <string>

namespace BPrivate {

void set_clipboard_text(const std::string& text);
std::string clipboard_text();

} // namespace BPrivate

#endif // _TEXT_CLIPBOARD_H

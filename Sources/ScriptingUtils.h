// Text renderings for the explorer: names of platform codes, message items, specifier
// chains, whole messages and property tables. None of these functions keeps state; each
// may run on any thread.
#ifndef SCRIPTING_UTILS_H
#define SCRIPTING_UTILS_H

#include <String.h>
#include <SupportDefs.h>

#include <stdarg.h>

#include <string>

class BList;
class BMessage;
class BPropertyInfo;

// The platform name of a type, message, command or specifier-form code ("B_INT32_TYPE",
// "B_REPLY", "B_GET_PROPERTY", "B_NAME_SPECIFIER"), or the id2str() text for a code that
// has no name. Never NULL; the caller deletes the 128-byte array with delete[].
char* get_datatype_string(int32 code);

// Writes a nameless code into buffer (at least 13 bytes) and returns buffer: the code's
// characters in single quotes ('abcd', leading zero bytes dropped) when each is printable,
// otherwise its signed decimal value followed by L (-2147483647L).
char* id2str(int32 code, char* buffer);

// True for the bytes 0x20 to 0x7F, the ones id2str() shows as characters.
bool is_valid_char(uint8 c);

// The text of one message item of the given type, size bytes at data. Never NULL; the caller
// deletes the array with delete[]. Nothing beyond size bytes is read.
char* format_data(int32 type, const void* data, int32 size);

// The specifier chain of a scripting message as a phrase, innermost first:
// Label of View "fBackView" of Window 0. With omitFirst the first specifier and its
// separator are left out. Empty when the message has no specifiers.
BString specifier_to_str(const BMessage* message, bool omitFirst);

// Every item of a message on one line, joined by " and "; items of fields named "data" show
// their value alone, all others as name=value.
BString data_to_str(const BMessage* message);

// Appends one line per item of message to lines, nested messages expanded below the item
// that holds them with four more blanks per level. Past 64 levels a nested message is
// not expanded; a line in its place says so. Each line is malloc()ed and belongs to the
// caller, who releases it with free(); the list owns nothing.
void add_message_contents(BList* lines, const BMessage* message, int32 level);

// The text for a terminal: control characters (C0, DEL, C1 in UTF-8) as escapes such as
// \n, \t or \x1b; text from other applications is printed through it. keepLayout keeps
// line breaks and tabs, which cannot take the terminal over.
BString printable_str(const char* text, bool keepLayout = false);
inline BString printable_str(const BString& text) { return printable_str(text.String()); }

// Prints message to standard output: a "BMessage(<what>):" heading, then its items as
// add_message_contents() renders them, each after three blanks, with control characters
// other than line breaks and tabs escaped.
void print_message(const BMessage* message);
// What print_message prints.
std::string message_text(const BMessage* message);

// Appends what vsnprintf(format, args) makes to text.
void vappend_format(std::string& text, const char* format, va_list args);

// Appends the lines of a property table to lines: the properties with their commands,
// specifier forms and usage, then the named values. Each line is a new[]ed array that the
// caller deletes with delete[]. flatSize is the size of the flattened table info came from.
void DehydratePropertyInfo(BList* lines, const BPropertyInfo& info, int32 flatSize);

#endif // SCRIPTING_UTILS_H

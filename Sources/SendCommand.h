// One scripting message sent from the command line, and its reply printed:
//	Quorvane --send APPLICATION COMMAND [SPECIFIER] [to VALUE]
// COMMAND is get, set, count, create, delete, execute or getsuites; SPECIFIER is the phrase
// that the specifier field shows (SpecifierParser.h); VALUE is read by parse_value()
// (ValueParser.h) into the request's "data" field.
#ifndef SEND_COMMAND_H
#define SEND_COMMAND_H

#include <OS.h>
#include <String.h>

#include <string>
#include <vector>

class BMessage;

// Builds request from words: the command, then the phrase and the value in as many words
// as the shell made of them (joined by blanks). B_BAD_VALUE when they cannot be read; problem
// then says why in a line, followed by the phrase and a line with a caret under the word
// that could not be read.
status_t make_send_request(const std::vector<std::string>& words, BMessage* request,
	BString* problem);

// Sends request to the running application named (file name or signature), waiting at most
// timeout for delivery and again for the reply, and prints the reply to standard output
// (print_message(), or JSON with json). Returns the exit status (ExitStatus.h); failures and
// error replies are also told on standard error.
int send_request(const char* application, BMessage* request, bigtime_t timeout, bool json);

#endif // SEND_COMMAND_H

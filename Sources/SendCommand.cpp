#include "SendCommand.h"

#include <AppDefs.h>
#include <Message.h>
#include <Messenger.h>

#include <stdio.h>
#include <string.h>

#include <memory>

#include "ExitStatus.h"
#include "JsonReport.h"
#include "RequestDiagnosis.h"
#include "ScriptingTargets.h"
#include "ScriptingUtils.h"
#include "SpecifierParser.h"
#include "ValueParser.h"


namespace {

struct Command {
	const char*	word;
	uint32		what;
};

const Command kCommands[] = {
	{ "get", B_GET_PROPERTY },
	{ "set", B_SET_PROPERTY },
	{ "count", B_COUNT_PROPERTIES },
	{ "create", B_CREATE_PROPERTY },
	{ "delete", B_DELETE_PROPERTY },
	{ "execute", B_EXECUTE_PROPERTY },
	{ "getsuites", B_GET_SUPPORTED_SUITES }
};

const char* kValueWord = "to";


// problem, then text and a caret under the byte at offset.
BString
pointed_problem(const char* problem, const std::string& text, size_t offset)
{
	BString result(problem);
	result << "\n    " << printable_str(text.c_str()) << "\n    ";
	// The caret stands under the character, however its bytes are escaped above it.
	BString before = printable_str(text.substr(0, offset).c_str());
	for (int32 i = 0; i < before.Length(); i++) {
		// UTF-8 continuation bytes take no column of their own.
		if ((before.ByteAt(i) & 0xc0) != 0x80)
			result << ' ';
	}
	result << '^';
	return result;
}

} // namespace


status_t
make_send_request(const std::vector<std::string>& words, BMessage* request, BString* problem)
{
	if (words.empty()) {
		*problem = "expected a command: get, set, count, create, delete, execute or getsuites";
		return B_BAD_VALUE;
	}
	const Command* command = NULL;
	for (const Command& entry : kCommands) {
		if (words[0] == entry.word)
			command = &entry;
	}
	if (command == NULL) {
		*problem = pointed_problem("unknown command; it is one of get, set, count, create, "
			"delete, execute or getsuites", words[0], 0);
		return B_BAD_VALUE;
	}

	std::string text;
	for (size_t i = 1; i < words.size(); i++) {
		if (i > 1)
			text += ' ';
		text += words[i];
	}

	BMessage message(command->what);
	size_t value = std::string::npos;
	if (text == kValueWord || text.compare(0, 3, "to ") == 0)
		value = 0;
	else if (!text.empty()) {
		PhraseResult phrase = parse_specifiers(text.c_str(), &message, true);
		if (phrase.status != B_OK) {
			BString line("cannot read the specifier: ");
			line << phrase.problem;
			*problem = pointed_problem(line.String(), text, phrase.offset);
			return B_BAD_VALUE;
		}
		if ((size_t)phrase.offset < text.size())
			value = phrase.offset;
	}

	if (value != std::string::npos) {
		size_t start = value + strlen(kValueWord) + 1;
		if (start > text.size()) {
			*problem = pointed_problem("expected a value after \"to\"", text, text.size());
			return B_BAD_VALUE;
		}
		BString why;
		if (parse_value(text.c_str() + start, &message, "data", &why) != B_OK) {
			BString line("cannot read the value: ");
			line << why;
			*problem = pointed_problem(line.String(), text, start);
			return B_BAD_VALUE;
		}
	} else if (command->what == B_SET_PROPERTY) {
		*problem = pointed_problem("set needs a value: ... to VALUE", text, text.size());
		return B_BAD_VALUE;
	}

	*request = message;
	return B_OK;
}


int
send_request(const char* application, BMessage* request, bigtime_t timeout, bool json)
{
	// The node is used only to find the application as the analysis does; it asks nothing.
	std::unique_ptr<ScriptingApplication> node(CreateScriptingApplication(application));
	BMessenger* messenger = node != NULL ? node->GetMessenger() : NULL;
	if (messenger == NULL || !messenger->IsValid()) {
		fprintf(stderr, "Quorvane: no running application has the file name or signature "
			"'%s'\n", printable_str(application).String());
		return kExitFailure;
	}

	BMessage reply;
	status_t status = messenger->SendMessage(request, &reply, timeout, timeout);
	if (status != B_OK) {
		// The request is told in the words that made it.
		const char* word = "";
		for (const Command& entry : kCommands) {
			if (entry.what == request->what)
				word = entry.word;
		}
		fprintf(stderr, "Quorvane: '%s %s' to '%s' got no reply (%s)\n", word,
			printable_str(specifier_to_str(request, false)).String(),
			printable_str(application).String(), strerror(status));
		return kExitFailure;
	}

	if (json)
		write_json_message(stdout, &reply);
	else
		print_message(&reply);

	int32 error = B_OK;
	reply.FindInt32("error", &error);
	if (error == B_OK && reply.what != B_MESSAGE_NOT_UNDERSTOOD)
		return kExitSuccess;
	if (is_unresolved_reply(reply)) {
		BString why = explain_unresolved_request(*messenger, *request, application,
			timeout);
		if (why.Length() > 0) {
			fprintf(stderr, "Quorvane: %s\n", why.String());
			return kExitFailure;
		}
	}
	const char* explanation;
	BString text(error != B_OK ? strerror(error) : "message not understood");
	if (reply.FindString("message", &explanation) == B_OK)
		text << ": " << explanation;
	fprintf(stderr, "Quorvane: '%s' answered: %s\n", printable_str(application).String(),
		printable_str(text).String());
	return kExitFailure;
}

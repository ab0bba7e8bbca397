// Reads text as a user types it on the command line: as a specifier phrase (which, once
// read, must write back as a phrase that reads as the same chain), as a typed value, and as
// the words of a request to send, split at blanks.
#include "SendCommand.h"
#include "ScriptingUtils.h"
#include "SpecifierParser.h"
#include "ValueParser.h"

#include <Message.h>

#include <stdint.h>
#include <stdlib.h>

#include <sstream>
#include <string>
#include <vector>

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	std::string text(reinterpret_cast<const char*>(data), size);
	text = text.c_str();

	for (bool valueMayFollow : { false, true }) {
		BMessage message;
		PhraseResult result = parse_specifiers(text.c_str(), &message, valueMayFollow);
		if (result.offset < 0 || (size_t)result.offset > text.size())
			abort();
		if (result.status != B_OK || valueMayFollow)
			continue;
		BString phrase = specifier_to_str(&message, false);
		BMessage again;
		if (parse_specifiers(phrase.String(), &again, false).status != B_OK
			|| specifier_to_str(&again, false) != phrase)
			abort();
	}

	BMessage value;
	BString problem;
	parse_value(text.c_str(), &value, "data", &problem);

	std::vector<std::string> words;
	std::istringstream stream(text);
	std::string word;
	while (stream >> word)
		words.push_back(word);
	BMessage request;
	make_send_request(words, &request, &problem);
	return 0;
}

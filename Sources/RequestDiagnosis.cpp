#include "RequestDiagnosis.h"

#include <AppDefs.h>
#include <Errors.h>
#include <Message.h>
#include <PropertyInfo.h>

#include <ctype.h>

#include <vector>

#include "ScriptingUtils.h"


namespace {

// What the suites of one target say of one property.
struct PropertyListing {
	bool	listed = false;
	bool	takesCommand = false;
};


bool
lists_code(const uint32* codes, uint32 code)
{
	for (int32 i = 0; i < 10 && codes[i] != 0; i++) {
		if (codes[i] == code)
			return true;
	}
	return false;
}


// Looks property up in every table of a supported-suites reply. A row without commands
// takes every command, as the kit's matching does.
PropertyListing
find_listing(const BMessage& suites, const char* property, uint32 command)
{
	PropertyListing listing;
	const void* data;
	ssize_t size;
	for (int32 i = 0; suites.FindData("messages", B_PROPERTY_INFO_TYPE, i, &data, &size)
			== B_OK; i++) {
		BPropertyInfo info(NULL, NULL);
		if (info.Unflatten(B_PROPERTY_INFO_TYPE, data, size) != B_OK)
			continue;
		for (int32 j = 0; j < info.CountProperties(); j++) {
			const property_info& row = info.Properties()[j];
			if (row.name == NULL || strcmp(row.name, property) != 0)
				continue;
			listing.listed = true;
			if (row.commands[0] == 0 || lists_code(row.commands, command))
				listing.takesCommand = true;
		}
	}
	return listing;
}


// A request whose specifiers are those of chain from first on, in their order.
BMessage
chain_from(const std::vector<BMessage>& chain, size_t first, uint32 what)
{
	BMessage message(what);
	for (size_t i = first; i < chain.size(); i++)
		message.AddSpecifier(&chain[i]);
	return message;
}


// The target that the specifiers from first on address, for a sentence.
BString
describe_target(const std::vector<BMessage>& chain, size_t first, const char* application)
{
	BString name = printable_str(application);
	if (first >= chain.size())
		return BString("application '") << name << "'";
	BMessage message = chain_from(chain, first, B_GET_PROPERTY);
	return printable_str(specifier_to_str(&message, false)) << " of '" << name << "'";
}


// "view named "okButton"" or "window 7": the element a specifier names, for a sentence.
BString
describe_element(const BMessage& specifier, const char* property)
{
	BString element;
	for (const char* c = property; *c != '\0'; c++)
		element << (char)tolower((unsigned char)*c);
	element = printable_str(element);
	const char* name;
	int32 index;
	if (specifier.FindString("name", &name) == B_OK)
		element << " named \"" << printable_str(name) << "\"";
	else if (specifier.FindInt32("index", &index) == B_OK) {
		if (specifier.what == B_REVERSE_INDEX_SPECIFIER)
			index = -index;
		element << ' ' << index;
	} else if (specifier.FindInt32("id", &index) == B_OK)
		element << ' ' << index;
	return element;
}


const char*
command_word(uint32 what)
{
	switch (what) {
		case B_GET_PROPERTY:
			return "read";
		case B_SET_PROPERTY:
			return "set";
		case B_COUNT_PROPERTIES:
			return "counted";
		case B_CREATE_PROPERTY:
			return "created";
		case B_DELETE_PROPERTY:
			return "deleted";
		case B_EXECUTE_PROPERTY:
			return "executed";
	}
	return NULL;
}


// The status of a request that resolves the chain's specifiers from first on and asks
// for the suites of the target they reach: B_OK when it resolves, the error answered
// otherwise, or the failure of the send.
status_t
resolve(const BMessenger& target, const std::vector<BMessage>& chain, size_t first,
	bigtime_t timeout, BMessage* suites)
{
	BMessage request = chain_from(chain, first, B_GET_SUPPORTED_SUITES);
	suites->MakeEmpty();
	status_t status = target.SendMessage(&request, suites, timeout, timeout);
	if (status != B_OK)
		return status;
	if (suites->what == B_NO_REPLY)
		return B_TIMED_OUT;
	int32 error = B_OK;
	suites->FindInt32("error", &error);
	if (error == B_OK && suites->what == B_MESSAGE_NOT_UNDERSTOOD)
		error = B_BAD_SCRIPT_SYNTAX;
	return error;
}

} // namespace


bool
is_unresolved_reply(const BMessage& reply)
{
	if (reply.what == B_MESSAGE_NOT_UNDERSTOOD)
		return true;
	int32 error;
	return reply.FindInt32("error", &error) == B_OK
		&& (error == B_BAD_INDEX || error == B_NAME_NOT_FOUND);
}


BString
explain_unresolved_request(const BMessenger& target, const BMessage& request,
	const char* application, bigtime_t timeout)
{
	std::vector<BMessage> chain;
	BMessage specifier;
	for (int32 i = 0; request.FindMessage("specifiers", i, &specifier) == B_OK; i++)
		chain.push_back(specifier);

	// The last specifier is resolved first: each step asks the target that the ones
	// after it reach.
	BMessage suites;
	if (resolve(target, chain, chain.size(), timeout, &suites) != B_OK)
		return BString();
	for (size_t i = chain.size(); i-- > 0;) {
		const char* property;
		if (chain[i].FindString("property", &property) != B_OK)
			return BString();
		BString owner = describe_target(chain, i + 1, application);
		uint32 command = i == 0 ? request.what : (uint32)B_GET_PROPERTY;
		PropertyListing listing = find_listing(suites, property, command);
		if (!listing.listed) {
			return BString("no property \"") << printable_str(property)
				<< "\" in the suites of " << owner;
		}

		status_t status = resolve(target, chain, i, timeout, &suites);
		if (status == B_BAD_INDEX || status == B_NAME_NOT_FOUND) {
			return BString("no ") << describe_element(chain[i], property) << " in "
				<< owner;
		}
		if (i == 0) {
			const char* word = command_word(command);
			if (!listing.takesCommand && word != NULL) {
				return BString("property \"") << printable_str(property) << "\" of "
					<< owner << " cannot be " << word;
			}
			return BString();
		}
		if (status != B_OK)
			return BString();
	}
	return BString();
}

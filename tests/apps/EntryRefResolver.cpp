// Resolves an entry_ref in a process that has never seen its directory, for EntryTest:
//
//	EntryRefResolver <flattened message, in hexadecimal>
//
// It reads the ref of the message's "be:ref" field and prints the path of its entry. A
// step that fails is named on standard output, and the exit code is 1 (2 for a wrong
// command line).
#include <Entry.h>
#include <Errors.h>
#include <Message.h>
#include <Path.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <vector>


static int
failed(const char* step, status_t status)
{
	printf("%s: %s\n", step, strerror(status));
	return 1;
}


int
main(int argc, char** argv)
{
	if (argc != 2) {
		fprintf(stderr, "usage: EntryRefResolver <flattened message in hexadecimal>\n");
		return 2;
	}
	const char* hex = argv[1];
	std::vector<char> flat;
	for (size_t i = 0; hex[i] != '\0' && hex[i + 1] != '\0'; i += 2) {
		char digits[3] = { hex[i], hex[i + 1], '\0' };
		flat.push_back((char)strtol(digits, NULL, 16));
	}

	BMessage message;
	status_t status = message.Unflatten(flat.data(), flat.size());
	if (status != B_OK)
		return failed("Unflatten", status);
	entry_ref ref;
	if ((status = message.FindRef("be:ref", &ref)) != B_OK)
		return failed("FindRef", status);
	BEntry entry(&ref);
	if ((status = entry.InitCheck()) != B_OK)
		return failed("BEntry", status);
	BPath path(&entry);
	if ((status = path.InitCheck()) != B_OK)
		return failed("BPath", status);
	printf("%s\n", path.Path());
	return 0;
}

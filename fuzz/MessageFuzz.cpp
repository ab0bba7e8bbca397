// Feeds arbitrary bytes to BMessage::Unflatten. Whatever it accepts must be usable through
// every accessor, nested messages and refs included, and must flatten again to a message
// that unflattens to the same bytes.
#include <Entry.h>
#include <Message.h>

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

namespace {

// Where the bytes read go, so that the reads are not optimized away.
volatile uint8 stSink;


void
Explore(const BMessage& message, int depth)
{
	const char* name;
	type_code type;
	int32 count;
	for (int32 i = 0; message.GetInfo(B_ANY_TYPE, i, &name, &type, &count) == B_OK; i++) {
		if (message.GetInfo(name, &type, &count) != B_OK)
			abort();
		for (int32 j = 0; j < count; j++) {
			const void* data;
			ssize_t size;
			if (message.FindData(name, type, j, &data, &size) != B_OK)
				abort();
			// Touch every byte, so that the sanitizer sees an overread.
			uint8 sum = 0;
			for (ssize_t k = 0; k < size; k++)
				sum += ((const uint8*)data)[k];
			stSink = sum;

			const char* string;
			message.FindString(name, j, &string);
			entry_ref ref;
			message.FindRef(name, j, &ref);
			if (type == B_MESSAGE_TYPE) {
				BMessage nested;
				if (message.FindMessage(name, j, &nested) != B_OK)
					abort();
				Explore(nested, depth + 1);
			}
		}
	}

	BMessage copy(message);
	int32 index;
	BMessage specifier;
	int32 what;
	const char* property;
	while (copy.GetCurrentSpecifier(&index, &specifier, &what, &property) == B_OK) {
		if (copy.PopSpecifier() != B_OK)
			abort();
	}
}

} // namespace


extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	BMessage message('full');
	message.AddString("previous", "content");
	if (message.Unflatten((const char*)data, size) != B_OK) {
		if (!message.IsEmpty() || message.what != 0 || message.HasSpecifiers())
			abort();
		return 0;
	}
	Explore(message, 0);

	std::vector<char> first(message.FlattenedSize());
	if (message.Flatten(first.data(), first.size()) != B_OK)
		abort();
	BMessage again;
	if (again.Unflatten(first.data(), first.size()) != B_OK)
		abort();
	std::vector<char> second(again.FlattenedSize());
	if (again.Flatten(second.data(), second.size()) != B_OK || first != second)
		abort();

	// Editing what was received must keep it well formed.
	const char* name;
	type_code type;
	if (again.GetInfo(B_ANY_TYPE, 0, &name, &type) == B_OK) {
		again.Rename(name, "renamed field");
		again.AddInt32("added", 1);
		again.RemoveData("renamed field");
		std::vector<char> third(again.FlattenedSize());
		again.Flatten(third.data(), third.size());
		BMessage check;
		if (check.Unflatten(third.data(), third.size()) != B_OK)
			abort();
	}
	return 0;
}

// The archive a fuzz target of archived objects builds from its bytes: the first byte
// chooses the class the archive is taken as, the rest is a flattened message.
#ifndef _FUZZ_ARCHIVE_H
#define _FUZZ_ARCHIVE_H

#include <Message.h>

#include <stddef.h>
#include <stdint.h>

// False when the bytes are not a message.
template<size_t kCount>
bool
fuzzed_archive(const uint8_t* data, size_t size, const char* const (&classes)[kCount],
	BMessage* archive)
{
	if (size < 1 || archive->Unflatten((const char*)data + 1, size - 1) != B_OK)
		return false;
	archive->RemoveName("class");
	archive->AddString("class", classes[data[0] % kCount]);
	return true;
}

#endif // _FUZZ_ARCHIVE_H

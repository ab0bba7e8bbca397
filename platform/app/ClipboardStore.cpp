#include "app/ClipboardStore.h"

#include "app/RuntimeDirectory.h"

#include <ctype.h>
#include <unistd.h>

#include <vector>

#include "support/SmallFile.h"

namespace BPrivate {

ClipboardStore::ClipboardStore(const char* name)
	:
	fLeaf("clipboard.")
{
	std::string safe = name != NULL ? name : "";
	if (safe.size() > kMaxNameLength)
		safe.resize(kMaxNameLength);
	for (char& c : safe) {
		if (!isalnum((unsigned char)c) && c != '-' && c != '_')
			c = '_';
	}
	fLeaf += safe;
}


status_t
ClipboardStore::Path(std::string& path) const
{
	status_t status = runtime_directory(path);
	if (status == B_OK)
		path += "/" + fLeaf;
	return status;
}


status_t
ClipboardStore::Load(ClipboardContents& contents) const
{
	contents = ClipboardContents();
	std::string path;
	status_t status = Path(path);
	if (status != B_OK)
		return status;
	std::vector<char> data;
	status = read_small_file(path, kMaxSize, data);
	if (status != B_OK)
		return status;
	return Decode(data.data(), data.size(), contents);
}


status_t
ClipboardStore::Decode(const void* data, size_t size, ClipboardContents& contents)
{
	contents = ClipboardContents();
	BMessage file;
	int32 count = 0;
	if (size > kMaxSize || file.Unflatten((const char*)data, (ssize_t)size) != B_OK
		|| file.what != kWhat || file.FindInt32("count", &count) != B_OK
		|| file.FindMessage("data", &contents.data) != B_OK) {
		contents = ClipboardContents();
		return B_BAD_DATA;
	}
	contents.count = (uint32)count;
	// A source that does not decode leaves the data usable: it only names who wrote it.
	if (file.FindMessenger("source", &contents.source) != B_OK)
		contents.source = BMessenger();
	return B_OK;
}


status_t
ClipboardStore::Save(const ClipboardContents& contents) const
{
	BMessage file(kWhat);
	file.AddInt32("count", (int32)contents.count);
	file.AddMessage("data", &contents.data);
	if (contents.source.IsValid())
		file.AddMessenger("source", contents.source);
	ssize_t size = file.FlattenedSize();
	if (size < 0)
		return (status_t)size;
	if ((size_t)size > kMaxSize)
		return B_NO_MEMORY;
	std::vector<char> data(size);
	status_t status = file.Flatten(data.data(), size);
	if (status != B_OK)
		return status;

	std::string path;
	status = Path(path);
	if (status != B_OK)
		return status;
	// Each writer makes its own temporary, created afresh, so that two applications
	// committing at once never write into one file; the rename publishes it whole.
	std::string temporary = path + ".new." + std::to_string(getpid()) + "."
		+ std::to_string(gettid());
	return replace_small_file(path, temporary, data);
}

} // namespace BPrivate

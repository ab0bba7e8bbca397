// entry_ref and its flattened form.
#include <Entry.h>

#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include <string>

#include "storage/DirectoryRegistry.h"
#include "storage/EntryRefFlattening.h"

entry_ref::entry_ref()
	:
	device(0),
	directory(0),
	name(NULL)
{
}


entry_ref::entry_ref(dev_t device, ino_t directory, const char* name)
	:
	device(device),
	directory(directory),
	name(NULL)
{
	set_name(name);
}


entry_ref::entry_ref(const entry_ref& other)
	:
	device(other.device),
	directory(other.directory),
	name(NULL)
{
	set_name(other.name);
}


entry_ref::~entry_ref()
{
	free(name);
}


status_t
entry_ref::set_name(const char* newName)
{
	char* copy = NULL;
	if (newName != NULL) {
		copy = strdup(newName);
		if (copy == NULL)
			return B_NO_MEMORY;
	}
	free(name);
	name = copy;
	return B_OK;
}


bool
entry_ref::operator==(const entry_ref& other) const
{
	if (device != other.device || directory != other.directory)
		return false;
	if (name == NULL || other.name == NULL)
		return name == other.name;
	return strcmp(name, other.name) == 0;
}


bool
entry_ref::operator!=(const entry_ref& other) const
{
	return !(*this == other);
}


bool
entry_ref::operator<(const entry_ref& other) const
{
	if (device != other.device)
		return device < other.device;
	if (directory != other.directory)
		return directory < other.directory;
	if (name == NULL || other.name == NULL)
		return name == NULL && other.name != NULL;
	return strcmp(name, other.name) < 0;
}


entry_ref&
entry_ref::operator=(const entry_ref& other)
{
	if (this != &other) {
		device = other.device;
		directory = other.directory;
		set_name(other.name);
	}
	return *this;
}


namespace BPrivate {

namespace {

struct FlatEntryRef {
	uint64 device;
	uint64 directory;
	uint16 nameLength;	// with the NUL; 0 for no name
	uint16 hintLength;	// with the NUL; 0 for no hint
	uint32 reserved;
};
static_assert(sizeof(FlatEntryRef) == 24);


// The directory's path, when this process knows it.
std::string
HintFor(const entry_ref& ref)
{
	std::string path;
	if (!FindDirectory(ref.device, ref.directory, &path) || path.size() >= B_PATH_NAME_LENGTH)
		return std::string();
	return path;
}


bool
IsValidText(const char* text, size_t length)
{
	return length > 0 && memchr(text, '\0', length) == text + length - 1;
}

} // namespace


size_t
FlattenedEntryRefSize(const entry_ref& ref)
{
	std::string hint = HintFor(ref);
	return sizeof(FlatEntryRef) + (ref.name != NULL ? strlen(ref.name) + 1 : 0)
		+ (hint.empty() ? 0 : hint.size() + 1);
}


void
FlattenEntryRef(const entry_ref& ref, void* buffer, size_t size)
{
	std::string hint = HintFor(ref);
	FlatEntryRef header = {};
	header.device = ref.device;
	header.directory = ref.directory;
	header.nameLength = ref.name != NULL ? strlen(ref.name) + 1 : 0;
	header.hintLength = hint.empty() ? 0 : hint.size() + 1;
	if (sizeof(header) + header.nameLength + header.hintLength != size) {
		// The hint changed since the size was taken: send the ref without it.
		header.hintLength = 0;
	}
	uint8* out = (uint8*)buffer;
	memset(out, 0, size);
	memcpy(out, &header, sizeof(header));
	if (header.nameLength > 0)
		memcpy(out + sizeof(header), ref.name, header.nameLength);
	if (header.hintLength > 0)
		memcpy(out + sizeof(header) + header.nameLength, hint.c_str(), header.hintLength);
}


status_t
UnflattenEntryRef(const void* buffer, size_t size, entry_ref* ref)
{
	if (buffer == NULL || size < sizeof(FlatEntryRef))
		return B_BAD_DATA;
	FlatEntryRef header;
	memcpy(&header, buffer, sizeof(header));
	// A name is one component, never a path.
	const char* name = (const char*)buffer + sizeof(header);
	const char* hint = name + header.nameLength;
	if (header.reserved != 0 || header.nameLength > B_FILE_NAME_LENGTH
		|| header.hintLength > B_PATH_NAME_LENGTH
		|| size < sizeof(header) + header.nameLength + header.hintLength
		|| (header.nameLength > 0
			&& (!IsValidText(name, header.nameLength) || strchr(name, '/') != NULL))
		|| (header.hintLength > 0
			&& (!IsValidText(hint, header.hintLength) || hint[0] != '/')))
		return B_BAD_DATA;

	if (header.hintLength > 0) {
		struct stat info;
		if (stat(hint, &info) == 0 && S_ISDIR(info.st_mode) && info.st_dev == header.device
			&& info.st_ino == header.directory)
			RememberDirectory(header.device, header.directory, hint);
	}
	entry_ref result(header.device, header.directory, NULL);
	if (header.nameLength > 0 && result.set_name(name) != B_OK)
		return B_NO_MEMORY;
	*ref = result;
	return B_OK;
}

} // namespace BPrivate

// BResources' calls on parts of resources and on other files, built on its whole-resource
// calls.
#include <Resources.h>

#include <TypeConstants.h>

#include <string.h>

#include <string>
#include <vector>

namespace {

// The largest resource WriteResource grows one to, as a container holds.
const off_t kMaxResourceSize = 64 * 1024 * 1024;

} // namespace


status_t
BResources::ReadResource(type_code type, int32 id, void* data, off_t offset, size_t length)
{
	if (InitCheck() != B_OK)
		return InitCheck();
	if ((data == NULL && length > 0) || offset < 0)
		return B_BAD_VALUE;
	size_t size;
	const void* resource = LoadResource(type, id, &size);
	if (resource == NULL)
		return B_ENTRY_NOT_FOUND;
	if ((uint64)offset >= size)
		return B_OK;
	size_t count = size - offset < length ? size - offset : length;
	memcpy(data, (const uint8*)resource + offset, count);
	return B_OK;
}


status_t
BResources::WriteResource(type_code type, int32 id, const void* data, off_t offset,
	size_t length)
{
	if (InitCheck() != B_OK)
		return InitCheck();
	if ((data == NULL && length > 0) || offset < 0
		|| offset + (off_t)length > kMaxResourceSize)
		return B_BAD_VALUE;
	size_t size;
	const void* resource = LoadResource(type, id, &size);
	if (resource == NULL)
		return B_ENTRY_NOT_FOUND;
	const char* name = NULL;
	GetResourceInfo(type, id, &name, NULL);
	std::string keptName = name != NULL ? name : "";
	std::vector<uint8> bytes((const uint8*)resource, (const uint8*)resource + size);
	if ((size_t)offset + length > bytes.size())
		bytes.resize(offset + length, 0);
	if (length > 0)
		memcpy(bytes.data() + offset, data, length);
	return AddResource(type, id, bytes.data(), bytes.size(),
		keptName.empty() ? NULL : keptName.c_str());
}


status_t
BResources::MergeFrom(BFile* fromFile)
{
	if (InitCheck() != B_OK)
		return InitCheck();
	if (fromFile == NULL)
		return B_BAD_VALUE;
	BResources source(fromFile);
	status_t status = source.InitCheck();
	if (status != B_OK)
		return status;
	type_code type;
	int32 id;
	const char* name;
	size_t length;
	for (int32 i = 0; source.GetResourceInfo(i, &type, &id, &name, &length); i++) {
		const void* data = source.LoadResource(type, id, &length);
		if (data == NULL)
			return B_NO_MEMORY;
		status = AddResource(type, id, data, length,
			name != NULL && name[0] != '\0' ? name : NULL);
		if (status != B_OK)
			return status;
	}
	return B_OK;
}


status_t
BResources::PreloadResourceType(type_code type)
{
	if (InitCheck() != B_OK)
		return InitCheck();
	type_code found;
	int32 id;
	for (int32 i = 0; GetResourceInfo(i, &found, &id, NULL, NULL); i++) {
		if ((type == 0 || type == B_ANY_TYPE || found == type)
			&& LoadResource(found, id, NULL) == NULL)
			return B_NO_MEMORY;
	}
	return B_OK;
}

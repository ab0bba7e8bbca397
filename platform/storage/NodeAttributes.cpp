// Attributes of a BNode, kept as extended attributes "user.<name>" whose value is the
// attribute's type code (4 bytes, little-endian) followed by its data
// (docs/node-attributes.md).
#include <Node.h>

#include <ByteOrder.h>
#include <String.h>
#include <TypeConstants.h>

#include "storage/AttributeLayout.h"
#include "storage/StorageErrors.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <sys/xattr.h>

#include <vector>

using BPrivate::kAttributePrefix;
using BPrivate::kAttributeTypeSize;
using BPrivate::kMaxAttributeValue;
using BPrivate::status_for_errno;

namespace {

status_t
xattr_name(const char* name, char* xattrName)
{
	if (name == NULL || name[0] == '\0')
		return B_BAD_VALUE;
	if (strlen(name) >= B_ATTR_NAME_LENGTH)
		return B_NAME_TOO_LONG;
	snprintf(xattrName, B_ATTR_NAME_LENGTH + sizeof(kAttributePrefix), "%s%s",
		kAttributePrefix, name);
	return B_OK;
}


status_t
attribute_status(int error)
{
	if (error == ENODATA)
		return B_ENTRY_NOT_FOUND;
	if (error == ENOTSUP)
		return B_UNSUPPORTED;
	return status_for_errno(error);
}


// Reads the whole value (type and data) of the attribute into value.
status_t
read_value(int fd, const char* name, std::vector<uint8>& value)
{
	char xattrName[B_ATTR_NAME_LENGTH + sizeof(kAttributePrefix)];
	status_t status = xattr_name(name, xattrName);
	if (status != B_OK)
		return status;
	value.resize(kMaxAttributeValue);
	ssize_t length = fgetxattr(fd, xattrName, value.data(), value.size());
	if (length < 0)
		return attribute_status(errno);
	// A value too short for its type was not written through the kit.
	if ((size_t)length < kAttributeTypeSize)
		return B_BAD_DATA;
	value.resize(length);
	return B_OK;
}

} // namespace


ssize_t
BNode::ReadAttr(const char* name, type_code type, off_t pos, void* buffer, size_t size) const
{
	if (fCStatus != B_OK)
		return B_FILE_ERROR;
	if (pos < 0 || (buffer == NULL && size > 0))
		return B_BAD_VALUE;
	std::vector<uint8> value;
	status_t status = read_value(fFd, name, value);
	if (status != B_OK)
		return status;
	size_t dataSize = value.size() - kAttributeTypeSize;
	if ((uint64)pos >= dataSize)
		return 0;
	size_t count = dataSize - pos < size ? dataSize - pos : size;
	memcpy(buffer, value.data() + kAttributeTypeSize + pos, count);
	return count;
}


ssize_t
BNode::WriteAttr(const char* name, type_code type, off_t pos, const void* buffer, size_t size)
{
	if (fCStatus != B_OK)
		return B_FILE_ERROR;
	if (pos < 0 || (buffer == NULL && size > 0))
		return B_BAD_VALUE;
	if ((uint64)pos + size > kMaxAttributeValue - kAttributeTypeSize)
		return B_FILE_TOO_LARGE;
	char xattrName[B_ATTR_NAME_LENGTH + sizeof(kAttributePrefix)];
	status_t status = xattr_name(name, xattrName);
	if (status != B_OK)
		return status;

	std::vector<uint8> value;
	if (pos > 0) {
		status = read_value(fFd, name, value);
		if (status != B_OK && status != B_ENTRY_NOT_FOUND)
			return status;
	}
	// Bytes before pos stay; a gap past the old end reads as zeros.
	value.resize(kAttributeTypeSize + pos + size, 0);
	uint32 littleType = B_HOST_TO_LENDIAN_INT32(type);
	memcpy(value.data(), &littleType, kAttributeTypeSize);
	if (size > 0)
		memcpy(value.data() + kAttributeTypeSize + pos, buffer, size);
	if (fsetxattr(fFd, xattrName, value.data(), value.size(), 0) != 0)
		return attribute_status(errno);
	return size;
}


status_t
BNode::RemoveAttr(const char* name)
{
	if (fCStatus != B_OK)
		return B_FILE_ERROR;
	char xattrName[B_ATTR_NAME_LENGTH + sizeof(kAttributePrefix)];
	status_t status = xattr_name(name, xattrName);
	if (status != B_OK)
		return status;
	if (fremovexattr(fFd, xattrName) != 0)
		return attribute_status(errno);
	return B_OK;
}


status_t
BNode::RenameAttr(const char* oldName, const char* newName)
{
	if (fCStatus != B_OK)
		return B_FILE_ERROR;
	char oldXattr[B_ATTR_NAME_LENGTH + sizeof(kAttributePrefix)];
	char newXattr[B_ATTR_NAME_LENGTH + sizeof(kAttributePrefix)];
	status_t status = xattr_name(oldName, oldXattr);
	if (status == B_OK)
		status = xattr_name(newName, newXattr);
	if (status != B_OK)
		return status;
	if (strcmp(oldXattr, newXattr) == 0)
		return B_OK;
	std::vector<uint8> value;
	status = read_value(fFd, oldName, value);
	if (status != B_OK)
		return status;
	if (fsetxattr(fFd, newXattr, value.data(), value.size(), XATTR_CREATE) != 0)
		return errno == EEXIST ? B_FILE_EXISTS : attribute_status(errno);
	if (fremovexattr(fFd, oldXattr) != 0) {
		// Keep the attribute under one name only, whichever is left.
		status = attribute_status(errno);
		fremovexattr(fFd, newXattr);
		return status;
	}
	return B_OK;
}


status_t
BNode::WriteAttrString(const char* name, const BString* data)
{
	if (data == NULL)
		return B_BAD_VALUE;
	ssize_t written = WriteAttr(name, B_STRING_TYPE, 0, data->String(), data->Length());
	return written < 0 ? (status_t)written : B_OK;
}


status_t
BNode::ReadAttrString(const char* name, BString* result) const
{
	if (result == NULL)
		return B_BAD_VALUE;
	attr_info info;
	status_t status = GetAttrInfo(name, &info);
	if (status != B_OK)
		return status;
	std::vector<char> text(info.size + 1, '\0');
	ssize_t length = ReadAttr(name, info.type, 0, text.data(), info.size);
	if (length < 0)
		return (status_t)length;
	// A value written with its NUL (as BNodeInfo's strings are) reads the same.
	result->SetTo(text.data(), strnlen(text.data(), length));
	return B_OK;
}


status_t
BNode::GetAttrInfo(const char* name, attr_info* info) const
{
	if (fCStatus != B_OK)
		return B_FILE_ERROR;
	if (info == NULL)
		return B_BAD_VALUE;
	std::vector<uint8> value;
	status_t status = read_value(fFd, name, value);
	if (status != B_OK)
		return status;
	uint32 littleType;
	memcpy(&littleType, value.data(), kAttributeTypeSize);
	info->type = B_LENDIAN_TO_HOST_INT32(littleType);
	info->size = value.size() - kAttributeTypeSize;
	return B_OK;
}


status_t
BNode::GetNextAttrName(char* buffer)
{
	if (fCStatus != B_OK)
		return B_FILE_ERROR;
	if (buffer == NULL)
		return B_BAD_VALUE;
	ssize_t length = flistxattr(fFd, NULL, 0);
	if (length < 0)
		return attribute_status(errno);
	std::vector<char> names(length + 1, '\0');
	length = flistxattr(fFd, names.data(), length);
	if (length < 0)
		return attribute_status(errno);
	// Only the user namespace holds attributes; the others belong to the system.
	int32 index = 0;
	for (ssize_t offset = 0; offset < length; offset += strlen(names.data() + offset) + 1) {
		const char* xattrName = names.data() + offset;
		if (strncmp(xattrName, kAttributePrefix, sizeof(kAttributePrefix) - 1) != 0)
			continue;
		const char* name = xattrName + sizeof(kAttributePrefix) - 1;
		if (strlen(name) >= B_ATTR_NAME_LENGTH)
			continue;
		if (index++ == fAttrIndex) {
			strcpy(buffer, name);
			fAttrIndex++;
			return B_OK;
		}
	}
	return B_ENTRY_NOT_FOUND;
}


status_t
BNode::RewindAttrs()
{
	if (fCStatus != B_OK)
		return B_FILE_ERROR;
	fAttrIndex = 0;
	return B_OK;
}

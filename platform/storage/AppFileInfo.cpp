// BAppFileInfo's records, each kept under one name as an attribute of the file and as a
// resource of it (docs/node-attributes.md). The icons are in interface/AppFileInfoIcon.cpp.
#include <AppFileInfo.h>

#include <MimeType.h>
#include <Resources.h>
#include <TypeConstants.h>

#include "storage/MimeTypeName.h"

#include <new>

#include <stdlib.h>
#include <string.h>
#include <strings.h>

namespace {

const char kTypeName[] = "BEOS:TYPE";
const int32 kTypeId = 2;
const char kSignatureName[] = "BEOS:APP_SIG";
const int32 kSignatureId = 1;
const type_code kFlagsType = 'APPF';
const char kFlagsName[] = "BEOS:APP_FLAGS";
const int32 kFlagsId = 1;
const type_code kSupportedTypesType = 'MSGG';
const char kSupportedTypesName[] = "BEOS:FILE_TYPES";
const int32 kSupportedTypesId = 1;
const type_code kVersionType = 'APPV';
const char kVersionName[] = "BEOS:APP_VERSION";
const int32 kVersionId = 1;
const type_code kVectorIconType = 'VICN';
const char kVectorIconName[] = "BEOS:ICON";
const int32 kVectorIconId = 101;
const char kTypesField[] = "types";

// A version record as stored: five little-endian uint32, then the two texts; the
// application's record comes first, the system's second.
const size_t kVersionRecordSize = 5 * 4 + 64 + 256;
// Records larger than this are refused as damaged.
const size_t kMaxRecordSize = 1024 * 1024;


uint32
read_uint32(const uint8* bytes)
{
	return (uint32)bytes[0] | (uint32)bytes[1] << 8 | (uint32)bytes[2] << 16
		| (uint32)bytes[3] << 24;
}


void
write_uint32(uint8* bytes, uint32 value)
{
	for (int i = 0; i < 4; i++)
		bytes[i] = (uint8)(value >> (8 * i));
}


// Whether a file without resources may take a container: an empty file becomes a
// resource file, an executable gets one appended. Anything else keeps its contents.
bool
accepts_resources(BFile* file)
{
	off_t size;
	if (file->GetSize(&size) != B_OK)
		return false;
	if (size == 0)
		return true;
	char magic[4];
	return file->ReadAt(0, magic, sizeof(magic)) == (ssize_t)sizeof(magic)
		&& memcmp(magic, "\177ELF", 4) == 0;
}

} // namespace


BAppFileInfo::BAppFileInfo()
	:
	fFile(NULL),
	fResources(NULL),
	fWhere(B_USE_BOTH_LOCATIONS)
{
}


BAppFileInfo::BAppFileInfo(BFile* file)
	:
	fFile(NULL),
	fResources(NULL),
	fWhere(B_USE_BOTH_LOCATIONS)
{
	SetTo(file);
}


BAppFileInfo::~BAppFileInfo()
{
	delete fResources;
}


status_t
BAppFileInfo::SetTo(BFile* file)
{
	delete fResources;
	fResources = NULL;
	fFile = NULL;
	status_t status = BNodeInfo::SetTo(file);
	if (status != B_OK)
		return status;
	fFile = file;
	fResources = new(std::nothrow) BResources;
	if (fResources == NULL) {
		BNodeInfo::SetTo(NULL);
		return B_NO_MEMORY;
	}
	// A file without resources is still read and written through its attributes.
	if (fResources->SetTo(file) != B_OK) {
		delete fResources;
		fResources = NULL;
	}
	return B_OK;
}


status_t
BAppFileInfo::GetType(char* type) const
{
	return _GetString(kTypeName, type);
}


status_t
BAppFileInfo::SetType(const char* type)
{
	if (type != NULL && !BPrivate::is_valid_mime_type(type))
		return B_BAD_VALUE;
	return _SetString(kTypeName, kTypeId, type);
}


status_t
BAppFileInfo::GetSignature(char* signature) const
{
	return _GetString(kSignatureName, signature);
}


status_t
BAppFileInfo::SetSignature(const char* signature)
{
	if (signature != NULL && !BPrivate::is_valid_mime_type(signature))
		return B_BAD_VALUE;
	return _SetString(kSignatureName, kSignatureId, signature);
}


status_t
BAppFileInfo::GetAppFlags(uint32* flags) const
{
	if (flags == NULL)
		return B_BAD_VALUE;
	void* data;
	size_t size;
	status_t status = _ReadData(kFlagsName, kFlagsType, &data, &size);
	if (status != B_OK)
		return status;
	if (size == 4)
		*flags = read_uint32(static_cast<uint8*>(data));
	free(data);
	return size == 4 ? B_OK : B_BAD_DATA;
}


status_t
BAppFileInfo::SetAppFlags(uint32 flags)
{
	uint8 data[4];
	write_uint32(data, flags);
	return _WriteData(kFlagsName, kFlagsId, kFlagsType, data, sizeof(data));
}


status_t
BAppFileInfo::GetSupportedTypes(BMessage* types) const
{
	if (types == NULL)
		return B_BAD_VALUE;
	void* data;
	size_t size;
	status_t status = _ReadData(kSupportedTypesName, kSupportedTypesType, &data, &size);
	if (status != B_OK)
		return status;
	BMessage stored;
	status = stored.Unflatten(static_cast<const char*>(data), size);
	free(data);
	if (status != B_OK)
		return B_BAD_DATA;
	types->RemoveName(kTypesField);
	const char* type;
	for (int32 i = 0; stored.FindString(kTypesField, i, &type) == B_OK; i++)
		types->AddString(kTypesField, type);
	return B_OK;
}


status_t
BAppFileInfo::SetSupportedTypes(const BMessage* types, bool updateMimeDB, bool syncAll)
{
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	BMessage stored;
	const char* type;
	for (int32 i = 0; types != NULL && types->FindString(kTypesField, i, &type) == B_OK;
			i++) {
		if (!BPrivate::is_valid_mime_type(type))
			return B_BAD_VALUE;
		stored.AddString(kTypesField, type);
	}
	status_t status;
	if (types == NULL)
		status = _WriteData(kSupportedTypesName, kSupportedTypesId, kSupportedTypesType, NULL, 0);
	else {
		ssize_t size = stored.FlattenedSize();
		if (size < 0)
			return (status_t)size;
		char* flat = new(std::nothrow) char[size];
		if (flat == NULL)
			return B_NO_MEMORY;
		status = stored.Flatten(flat, size);
		if (status == B_OK) {
			status = _WriteData(kSupportedTypesName, kSupportedTypesId, kSupportedTypesType,
				flat, size);
		}
		delete[] flat;
	}
	if (status != B_OK || !updateMimeDB)
		return status;

	char signature[B_MIME_TYPE_LENGTH];
	status = GetSignature(signature);
	if (status != B_OK)
		return status;
	BMimeType application(signature);
	return application.SetSupportedTypes(types, syncAll);
}


status_t
BAppFileInfo::SetSupportedTypes(const BMessage* types, bool syncAll)
{
	return SetSupportedTypes(types, true, syncAll);
}


status_t
BAppFileInfo::SetSupportedTypes(const BMessage* types)
{
	return SetSupportedTypes(types, true, false);
}


bool
BAppFileInfo::IsSupportedType(const char* type) const
{
	BMimeType asked(type);
	BMessage types;
	if (asked.InitCheck() != B_OK || GetSupportedTypes(&types) != B_OK)
		return false;
	const char* listed;
	for (int32 i = 0; types.FindString(kTypesField, i, &listed) == B_OK; i++) {
		BMimeType supported(listed);
		if (supported == B_FILE_MIME_TYPE || supported.Contains(&asked))
			return true;
	}
	return false;
}


bool
BAppFileInfo::Supports(BMimeType* type) const
{
	BMessage types;
	if (type == NULL || type->InitCheck() != B_OK || GetSupportedTypes(&types) != B_OK)
		return false;
	const char* listed;
	for (int32 i = 0; types.FindString(kTypesField, i, &listed) == B_OK; i++) {
		if (*type == listed)
			return true;
	}
	return false;
}


status_t
BAppFileInfo::GetIcon(uint8** data, size_t* size) const
{
	if (data == NULL || size == NULL)
		return B_BAD_VALUE;
	void* stored;
	status_t status = _ReadData(kVectorIconName, kVectorIconType, &stored, size);
	if (status != B_OK)
		return status;
	*data = new(std::nothrow) uint8[*size];
	if (*data != NULL)
		memcpy(*data, stored, *size);
	free(stored);
	return *data != NULL ? B_OK : B_NO_MEMORY;
}


status_t
BAppFileInfo::SetIcon(const uint8* data, size_t size)
{
	if (data != NULL && size == 0)
		return B_BAD_VALUE;
	return _WriteData(kVectorIconName, kVectorIconId, kVectorIconType, data, size);
}


status_t
BAppFileInfo::GetVersionInfo(version_info* info, version_kind kind) const
{
	if (info == NULL || (kind != B_APP_VERSION_KIND && kind != B_SYSTEM_VERSION_KIND))
		return B_BAD_VALUE;
	void* data;
	size_t size;
	status_t status = _ReadData(kVersionName, kVersionType, &data, &size);
	if (status != B_OK)
		return status;
	size_t offset = kind == B_SYSTEM_VERSION_KIND ? kVersionRecordSize : 0;
	if (size < offset + kVersionRecordSize) {
		free(data);
		return B_BAD_DATA;
	}

	const uint8* record = static_cast<const uint8*>(data) + offset;
	info->major = read_uint32(record);
	info->middle = read_uint32(record + 4);
	info->minor = read_uint32(record + 8);
	info->variety = read_uint32(record + 12);
	info->internal = read_uint32(record + 16);
	// The texts are cut to their fields whatever the file says.
	memcpy(info->short_info, record + 20, sizeof(info->short_info));
	info->short_info[sizeof(info->short_info) - 1] = '\0';
	memcpy(info->long_info, record + 20 + 64, sizeof(info->long_info));
	info->long_info[sizeof(info->long_info) - 1] = '\0';
	free(data);
	return B_OK;
}


status_t
BAppFileInfo::SetVersionInfo(const version_info* info, version_kind kind)
{
	if (info == NULL || (kind != B_APP_VERSION_KIND && kind != B_SYSTEM_VERSION_KIND))
		return B_BAD_VALUE;
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	// Both records live in one; the other kind's is kept as it is.
	uint8 records[2 * kVersionRecordSize] = {};
	void* data;
	size_t size;
	if (_ReadData(kVersionName, kVersionType, &data, &size) == B_OK) {
		memcpy(records, data, size < sizeof(records) ? size : sizeof(records));
		free(data);
	}
	uint8* record = records + (kind == B_SYSTEM_VERSION_KIND ? kVersionRecordSize : 0);
	memset(record, 0, kVersionRecordSize);
	write_uint32(record, info->major);
	write_uint32(record + 4, info->middle);
	write_uint32(record + 8, info->minor);
	write_uint32(record + 12, info->variety);
	write_uint32(record + 16, info->internal);
	// Each text is cut to its field, leaving room for the NUL.
	memcpy(record + 20, info->short_info, strnlen(info->short_info, 63));
	memcpy(record + 20 + 64, info->long_info, strnlen(info->long_info, 255));
	return _WriteData(kVersionName, kVersionId, kVersionType, records, sizeof(records));
}


void
BAppFileInfo::SetInfoLocation(info_location location)
{
	fWhere = location;
}


bool
BAppFileInfo::IsUsingAttributes() const
{
	return (fWhere & B_USE_ATTRIBUTES) != 0;
}


bool
BAppFileInfo::IsUsingResources() const
{
	return (fWhere & B_USE_RESOURCES) != 0;
}


status_t
BAppFileInfo::_ReadData(const char* name, type_code type, void** data, size_t* size) const
{
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	status_t status = B_ENTRY_NOT_FOUND;
	if (IsUsingAttributes()) {
		attr_info info;
		status = fFile->GetAttrInfo(name, &info);
		if (status == B_OK) {
			if (info.type != type || info.size < 0 || (size_t)info.size > kMaxRecordSize)
				return B_BAD_DATA;
			*data = malloc(info.size > 0 ? info.size : 1);
			if (*data == NULL)
				return B_NO_MEMORY;
			ssize_t read = fFile->ReadAttr(name, type, 0, *data, info.size);
			if (read == info.size) {
				*size = read;
				return B_OK;
			}
			free(*data);
			return read < 0 ? (status_t)read : B_BAD_DATA;
		}
	}
	if (IsUsingResources() && fResources != NULL) {
		*data = fResources->FindResource(type, name, size);
		status = *data != NULL ? B_OK : B_ENTRY_NOT_FOUND;
	}
	return status;
}


status_t
BAppFileInfo::_WriteData(const char* name, int32 id, type_code type, const void* data,
	size_t size)
{
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	if (IsUsingAttributes()) {
		if (data == NULL) {
			status_t status = fFile->RemoveAttr(name);
			if (status != B_OK && status != B_ENTRY_NOT_FOUND)
				return status;
		} else {
			ssize_t written = fFile->WriteAttr(name, type, 0, data, size);
			if (written < 0)
				return (status_t)written;
		}
	}
	if (!IsUsingResources())
		return B_OK;

	if (data == NULL) {
		if (fResources == NULL)
			return B_OK;
		int32 found;
		if (fResources->GetResourceInfo(type, name, &found, NULL)) {
			status_t status = fResources->RemoveResource(type, found);
			if (status == B_OK)
				status = fResources->Sync();
			return status;
		}
		return B_OK;
	}
	status_t status = _OpenResourcesForWriting();
	if (status != B_OK) {
		// Attributes alone hold the record of a file that cannot take resources.
		return IsUsingAttributes() && status == B_BAD_TYPE ? B_OK : status;
	}
	int32 found;
	if (fResources->GetResourceInfo(type, name, &found, NULL))
		id = found;
	else if (id < 0) {
		id = 1;
		while (fResources->HasResource(type, id))
			id++;
	}
	status = fResources->AddResource(type, id, data, size, name);
	if (status == B_OK)
		status = fResources->Sync();
	return status;
}


status_t
BAppFileInfo::_OpenResourcesForWriting()
{
	if (fResources != NULL)
		return B_OK;
	if (!accepts_resources(fFile))
		return B_BAD_TYPE;
	fResources = new(std::nothrow) BResources;
	if (fResources == NULL)
		return B_NO_MEMORY;
	status_t status = fResources->SetTo(fFile, true);
	if (status != B_OK) {
		delete fResources;
		fResources = NULL;
	}
	return status;
}


status_t
BAppFileInfo::_GetString(const char* name, char* value) const
{
	if (value == NULL)
		return B_BAD_VALUE;
	void* data;
	size_t size;
	status_t status = _ReadData(name, B_MIME_STRING_TYPE, &data, &size);
	if (status != B_OK)
		return status;
	const char* text = static_cast<const char*>(data);
	size_t length = strnlen(text, size);
	status = length == size || length == 0 || length >= B_MIME_TYPE_LENGTH
		? B_BAD_DATA : B_OK;
	if (status == B_OK)
		memcpy(value, text, length + 1);
	free(data);
	return status;
}


status_t
BAppFileInfo::_SetString(const char* name, int32 id, const char* value)
{
	if (value != NULL && strlen(value) >= B_MIME_TYPE_LENGTH)
		return B_BAD_VALUE;
	return _WriteData(name, id, B_MIME_STRING_TYPE, value,
		value != NULL ? strlen(value) + 1 : 0);
}

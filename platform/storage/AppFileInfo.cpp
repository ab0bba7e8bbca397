#include <AppFileInfo.h>

#include <Resources.h>
#include <TypeConstants.h>

#include <new>

#include <string.h>

namespace {

const type_code kSignatureType = B_MIME_STRING_TYPE;
const char* kSignatureName = "BEOS:APP_SIG";
const type_code kFlagsType = 'APPF';
const char* kFlagsName = "BEOS:APP_FLAGS";
const type_code kVersionType = 'APPV';
const char* kVersionName = "BEOS:APP_VERSION";

// A version record as stored: five little-endian uint32, then the two texts.
const size_t kVersionRecordSize = 5 * 4 + 64 + 256;


uint32
read_uint32(const uint8* bytes)
{
	return (uint32)bytes[0] | (uint32)bytes[1] << 8 | (uint32)bytes[2] << 16
		| (uint32)bytes[3] << 24;
}

} // namespace


BAppFileInfo::BAppFileInfo()
	:
	fResources(NULL),
	fStatus(B_NO_INIT)
{
}


BAppFileInfo::BAppFileInfo(BFile* file)
	:
	fResources(NULL),
	fStatus(B_NO_INIT)
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
	fResources = new(std::nothrow) BResources;
	if (fResources == NULL)
		return fStatus = B_NO_MEMORY;
	fStatus = fResources->SetTo(file);
	return fStatus;
}


status_t
BAppFileInfo::InitCheck() const
{
	return fStatus;
}


status_t
BAppFileInfo::GetSignature(char* signature) const
{
	if (signature == NULL)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return fStatus;

	size_t size;
	const char* data = static_cast<const char*>(
		fResources->LoadResource(kSignatureType, kSignatureName, &size));
	if (data == NULL)
		return B_ENTRY_NOT_FOUND;
	size_t length = strnlen(data, size);
	if (length == size || length == 0 || length >= B_MIME_TYPE_LENGTH)
		return B_BAD_DATA;
	memcpy(signature, data, length + 1);
	return B_OK;
}


status_t
BAppFileInfo::GetAppFlags(uint32* flags) const
{
	if (flags == NULL)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return fStatus;

	size_t size;
	const uint8* data = static_cast<const uint8*>(
		fResources->LoadResource(kFlagsType, kFlagsName, &size));
	if (data == NULL)
		return B_ENTRY_NOT_FOUND;
	if (size != 4)
		return B_BAD_DATA;
	*flags = read_uint32(data);
	return B_OK;
}


status_t
BAppFileInfo::GetVersionInfo(version_info* info, version_kind kind) const
{
	if (info == NULL || (kind != B_APP_VERSION_KIND && kind != B_SYSTEM_VERSION_KIND))
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return fStatus;

	size_t size;
	const uint8* data = static_cast<const uint8*>(
		fResources->LoadResource(kVersionType, kVersionName, &size));
	if (data == NULL)
		return B_ENTRY_NOT_FOUND;
	size_t offset = kind == B_SYSTEM_VERSION_KIND ? kVersionRecordSize : 0;
	if (size < offset + kVersionRecordSize)
		return B_BAD_DATA;

	const uint8* record = data + offset;
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
	return B_OK;
}

// BMimeType and its database: one file per installed type under the user's data
// directory, holding a flattened message (docs/mime-database.md).
#include <Mime.h>

#include <Directory.h>
#include <Entry.h>
#include <Path.h>
#include <FindDirectory.h>

#include "app/MimeDatabase.h"
#include "app/MimeWatch.h"
#include "storage/MimeTypeName.h"
#include "storage/RegularFile.h"
#include "storage/StorageErrors.h"

#include <ctype.h>
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <new>
#include <string>
#include <vector>

using namespace BPrivate::MimeRecord;
using BPrivate::database_path;
using BPrivate::kDatabaseMode;
using BPrivate::kMaxRecordSize;
using BPrivate::kSupertypeRecord;
using BPrivate::read_record;
using BPrivate::status_for_errno;

const char* const B_APP_MIME_TYPE = "application/x-vnd.Be-elfexecutable";
const char* const B_PEF_APP_MIME_TYPE = "application/x-vnd.Be-peexecutable";
const char* const B_PE_APP_MIME_TYPE = "application/x-vnd.Be-peexecutable";
const char* const B_ELF_APP_MIME_TYPE = "application/x-vnd.Be-elfexecutable";
const char* const B_RESOURCE_MIME_TYPE = "application/x-be-resource";
const char* const B_FILE_MIME_TYPE = "application/octet-stream";
const char* const B_DIRECTORY_MIME_TYPE = "application/x-vnd.Be-directory";
const char* const B_SYMLINK_MIME_TYPE = "application/x-vnd.Be-symlink";
const char* const B_VOLUME_MIME_TYPE = "application/x-vnd.Be-volume";
const char* const B_QUERY_MIME_TYPE = "application/x-vnd.Be-query";

namespace {

// Applications are types of this supertype; only their records name supported types.
const char kApplicationSupertype[] = "application";


std::string
lower_case(const char* text)
{
	std::string lower(text);
	for (char& c : lower)
		c = tolower((unsigned char)c);
	return lower;
}


// The record file of type (valid); the supertype's folder goes to folder.
status_t
record_path(const char* type, std::string& path, std::string* folder = NULL)
{
	status_t status = database_path(path);
	if (status != B_OK)
		return status;
	std::string lower = lower_case(type);
	size_t slash = lower.find('/');
	path += "/" + lower.substr(0, slash);
	if (folder != NULL)
		*folder = path;
	path += "/";
	path += slash == std::string::npos ? kSupertypeRecord : lower.substr(slash + 1).c_str();
	return B_OK;
}


// Replaces the record at once: a reader sees the old one or the new one, never a mix.
status_t
write_record(const std::string& path, const std::string& folder, const BMessage* record)
{
	status_t status = create_directory(folder.c_str(), kDatabaseMode);
	if (status != B_OK)
		return status;
	ssize_t size = record->FlattenedSize();
	if (size < 0 || (size_t)size > kMaxRecordSize)
		return B_BAD_VALUE;
	std::vector<char> buffer(size);
	status = record->Flatten(buffer.data(), size);
	if (status != B_OK)
		return status;
	// A dot hides the file being written from the listing of installed types.
	std::string temporary = folder + "/." + path.substr(folder.size() + 1) + "-"
		+ std::to_string(getpid());
	int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
	if (fd < 0)
		return status_for_errno(errno);
	ssize_t written = write(fd, buffer.data(), size);
	// A short write means the device is full.
	int error = written < 0 ? errno : ENOSPC;
	bool complete = written == size;
	if (close(fd) != 0 && complete) {
		complete = false;
		error = errno;
	}
	if (complete && rename(temporary.c_str(), path.c_str()) != 0) {
		complete = false;
		error = errno;
	}
	if (!complete) {
		unlink(temporary.c_str());
		return status_for_errno(error);
	}
	return B_OK;
}


// Adds the types whose records are in folder (a supertype's) to types as "super/sub".
void
add_subtypes(const std::string& folder, const char* supertype, BMessage* types)
{
	DIR* stream = opendir(folder.c_str());
	if (stream == NULL)
		return;
	while (struct dirent* entry = readdir(stream)) {
		std::string type = std::string(supertype) + "/" + entry->d_name;
		if (entry->d_name[0] != '.' && strcmp(entry->d_name, kSupertypeRecord) != 0
			&& BMimeType::IsValid(type.c_str()))
			types->AddString(B_MIME_TYPES_FIELD, type.c_str());
	}
	closedir(stream);
}


status_t
add_installed(const char* onlySupertype, BMessage* message, const char* field)
{
	if (message == NULL)
		return B_BAD_VALUE;
	std::string database;
	status_t status = database_path(database);
	if (status != B_OK)
		return status;
	DIR* stream = opendir(database.c_str());
	if (stream == NULL)
		return errno == ENOENT ? B_OK : status_for_errno(errno);
	while (struct dirent* entry = readdir(stream)) {
		if (entry->d_name[0] == '.' || !BMimeType::IsValid(entry->d_name)
			|| strchr(entry->d_name, '/') != NULL)
			continue;
		if (onlySupertype != NULL && strcasecmp(onlySupertype, entry->d_name) != 0)
			continue;
		std::string folder = database + "/" + entry->d_name;
		struct stat record;
		bool installed = stat((folder + "/" + kSupertypeRecord).c_str(), &record) == 0;
		if (strcmp(field, B_MIME_SUPERTYPES_FIELD) == 0) {
			if (installed)
				message->AddString(field, entry->d_name);
			continue;
		}
		if (onlySupertype == NULL && installed)
			message->AddString(field, entry->d_name);
		add_subtypes(folder, entry->d_name, message);
	}
	closedir(stream);
	return B_OK;
}

// Adds the application types whose records list type among their supported types.
status_t
add_supporting(const char* type, std::vector<std::string>* signatures)
{
	BMessage applications;
	status_t status = add_installed(kApplicationSupertype, &applications,
		B_MIME_TYPES_FIELD);
	if (status != B_OK)
		return status;
	const char* signature;
	for (int32 i = 0; applications.FindString(B_MIME_TYPES_FIELD, i, &signature) == B_OK;
			i++) {
		BMimeType application(signature);
		BMessage supported;
		if (application.GetSupportedTypes(&supported) != B_OK)
			continue;
		const char* name;
		for (int32 j = 0; supported.FindString(B_MIME_TYPES_FIELD, j, &name) == B_OK; j++) {
			if (strcasecmp(name, type) == 0) {
				signatures->push_back(signature);
				break;
			}
		}
	}
	return B_OK;
}

// Replaces field to of into with the strings of field from of record.
void
copy_strings(const BMessage& record, const char* from, BMessage* into, const char* to)
{
	into->RemoveName(to);
	const char* string;
	for (int32 i = 0; record.FindString(from, i, &string) == B_OK; i++)
		into->AddString(to, string);
}

} // namespace


BMimeType::BMimeType()
	:
	fType(NULL),
	fCStatus(B_NO_INIT)
{
}


BMimeType::BMimeType(const char* type)
	:
	fType(NULL),
	fCStatus(B_NO_INIT)
{
	SetTo(type);
}


BMimeType::~BMimeType()
{
	Unset();
}


status_t
BMimeType::SetTo(const char* type)
{
	Unset();
	if (!IsValid(type)) {
		fCStatus = B_BAD_VALUE;
		return fCStatus;
	}
	fType = strdup(type);
	fCStatus = fType != NULL ? B_OK : B_NO_MEMORY;
	return fCStatus;
}


status_t
BMimeType::SetType(const char* type)
{
	return SetTo(type);
}


void
BMimeType::Unset()
{
	free(fType);
	fType = NULL;
	fCStatus = B_NO_INIT;
}


status_t
BMimeType::InitCheck() const
{
	return fCStatus;
}


const char*
BMimeType::Type() const
{
	return fType;
}


bool
BMimeType::IsValid() const
{
	return fCStatus == B_OK && IsValid(fType);
}


bool
BMimeType::IsSupertypeOnly() const
{
	return fType != NULL && strchr(fType, '/') == NULL;
}


status_t
BMimeType::GetSupertype(BMimeType* supertype) const
{
	if (supertype == NULL)
		return B_BAD_VALUE;
	if (fCStatus != B_OK)
		return B_NO_INIT;
	const char* slash = strchr(fType, '/');
	if (slash == NULL)
		return B_BAD_VALUE;
	return supertype->SetTo(std::string(fType, slash - fType).c_str());
}


bool
BMimeType::Contains(const BMimeType* type) const
{
	if (type == NULL || fCStatus != B_OK || type->InitCheck() != B_OK)
		return false;
	if (*this == *type)
		return true;
	size_t length = strlen(fType);
	return IsSupertypeOnly() && strncasecmp(fType, type->Type(), length) == 0
		&& type->Type()[length] == '/';
}


bool
BMimeType::operator==(const BMimeType& type) const
{
	if (fType == NULL || type.fType == NULL)
		return fType == type.fType;
	return strcasecmp(fType, type.fType) == 0;
}


bool
BMimeType::operator==(const char* type) const
{
	if (fType == NULL || type == NULL)
		return fType == type;
	return strcasecmp(fType, type) == 0;
}


bool
BMimeType::IsInstalled() const
{
	std::string path;
	struct stat info;
	return fCStatus == B_OK && record_path(fType, path) == B_OK
		&& stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}


status_t
BMimeType::Install()
{
	if (fCStatus != B_OK)
		return B_NO_INIT;
	BMessage record;
	status_t status = _ReadRecord(&record);
	if (status == B_ENTRY_NOT_FOUND)
		status = _WriteRecord(&record);
	return status;
}


status_t
BMimeType::Delete()
{
	if (fCStatus != B_OK)
		return B_NO_INIT;
	std::string path;
	status_t status = record_path(fType, path);
	if (status != B_OK)
		return status;
	return unlink(path.c_str()) == 0 ? B_OK : status_for_errno(errno);
}


status_t
BMimeType::GetPreferredApp(char* signature, app_verb verb) const
{
	if (verb != B_OPEN)
		return B_BAD_VALUE;
	return _GetString(kPreferredAppField, signature);
}


status_t
BMimeType::SetPreferredApp(const char* signature, app_verb verb)
{
	if (verb != B_OPEN || (signature != NULL && !IsValid(signature)))
		return B_BAD_VALUE;
	return _SetString(kPreferredAppField, signature);
}


status_t
BMimeType::GetShortDescription(char* description) const
{
	return _GetString(kShortDescriptionField, description);
}


status_t
BMimeType::SetShortDescription(const char* description)
{
	return _SetString(kShortDescriptionField, description);
}


status_t
BMimeType::GetLongDescription(char* description) const
{
	return _GetString(kLongDescriptionField, description);
}


status_t
BMimeType::SetLongDescription(const char* description)
{
	return _SetString(kLongDescriptionField, description);
}


status_t
BMimeType::GetFileExtensions(BMessage* extensions) const
{
	if (extensions == NULL)
		return B_BAD_VALUE;
	BMessage record;
	status_t status = _ReadRecord(&record);
	if (status == B_OK)
		copy_strings(record, B_MIME_EXTENSIONS_FIELD, extensions, B_MIME_EXTENSIONS_FIELD);
	return status;
}


status_t
BMimeType::SetFileExtensions(const BMessage* extensions)
{
	if (fCStatus != B_OK)
		return B_NO_INIT;
	BMessage record;
	status_t status = _ReadRecord(&record);
	if (status != B_OK && status != B_ENTRY_NOT_FOUND)
		return status;
	record.RemoveName(B_MIME_EXTENSIONS_FIELD);
	const char* extension;
	for (int32 i = 0; extensions != NULL
			&& extensions->FindString(B_MIME_EXTENSIONS_FIELD, i, &extension) == B_OK; i++) {
		// A leading dot is the user's habit, not part of the extension.
		if (extension[0] == '.')
			extension++;
		if (extension[0] != '\0')
			record.AddString(B_MIME_EXTENSIONS_FIELD, extension);
	}
	return _WriteRecord(&record);
}


status_t
BMimeType::GetAppHint(entry_ref* ref) const
{
	if (ref == NULL)
		return B_BAD_VALUE;
	BMessage record;
	status_t status = _ReadRecord(&record);
	if (status != B_OK)
		return status;
	const char* path;
	if (record.FindString(kAppHintField, &path) != B_OK)
		return B_ENTRY_NOT_FOUND;
	return get_ref_for_path(path, ref);
}


status_t
BMimeType::SetAppHint(const entry_ref* ref)
{
	if (fCStatus != B_OK)
		return B_NO_INIT;
	BPath path;
	if (ref != NULL) {
		status_t status = path.SetTo(ref);
		if (status != B_OK)
			return status;
	}
	BMessage record;
	status_t status = _ReadRecord(&record);
	if (status != B_OK && status != B_ENTRY_NOT_FOUND)
		return status;
	record.RemoveName(kAppHintField);
	if (ref != NULL)
		record.AddString(kAppHintField, path.Path());
	return _WriteRecord(&record);
}


status_t
BMimeType::GetAttrInfo(BMessage* info) const
{
	if (info == NULL)
		return B_BAD_VALUE;
	BMessage record;
	status_t status = _ReadRecord(&record);
	if (status != B_OK)
		return status;
	BMessage stored;
	if (record.FindMessage(kAttrInfoField, &stored) != B_OK)
		return B_ENTRY_NOT_FOUND;
	uint32 what = info->what;
	*info = stored;
	info->what = what;
	return B_OK;
}


status_t
BMimeType::SetAttrInfo(const BMessage* info)
{
	if (fCStatus != B_OK)
		return B_NO_INIT;
	BMessage record;
	status_t status = _ReadRecord(&record);
	if (status != B_OK && status != B_ENTRY_NOT_FOUND)
		return status;
	record.RemoveName(kAttrInfoField);
	if (info != NULL)
		record.AddMessage(kAttrInfoField, info);
	return _WriteRecord(&record);
}


status_t
BMimeType::GetIcon(uint8** data, size_t* size) const
{
	if (data == NULL || size == NULL)
		return B_BAD_VALUE;
	BMessage record;
	status_t status = _ReadRecord(&record);
	if (status != B_OK)
		return status;
	const void* bytes;
	ssize_t length;
	if (record.FindData(kVectorIconField, kVectorIconType, &bytes, &length) != B_OK)
		return B_ENTRY_NOT_FOUND;
	*data = new(std::nothrow) uint8[length];
	if (*data == NULL)
		return B_NO_MEMORY;
	memcpy(*data, bytes, length);
	*size = length;
	return B_OK;
}


status_t
BMimeType::SetIcon(const uint8* data, size_t size)
{
	if (fCStatus != B_OK)
		return B_NO_INIT;
	if (data != NULL && size == 0)
		return B_BAD_VALUE;
	BMessage record;
	status_t status = _ReadRecord(&record);
	if (status != B_OK && status != B_ENTRY_NOT_FOUND)
		return status;
	record.RemoveName(kVectorIconField);
	if (data != NULL) {
		status = record.AddData(kVectorIconField, kVectorIconType, data, size);
		if (status != B_OK)
			return status;
	}
	return _WriteRecord(&record);
}


status_t
BMimeType::GetSupportingApps(BMessage* signatures) const
{
	if (signatures == NULL)
		return B_BAD_VALUE;
	if (fCStatus != B_OK)
		return B_NO_INIT;
	std::vector<std::string> sub, super;
	status_t status = add_supporting(fType, &sub);
	BMimeType supertype;
	if (status == B_OK && GetSupertype(&supertype) == B_OK)
		status = add_supporting(supertype.Type(), &super);
	if (status != B_OK)
		return status;
	signatures->RemoveName("applications");
	signatures->RemoveName("be:sub");
	signatures->RemoveName("be:super");
	// An application naming both the type and its supertype counts once, with the type.
	int32 superCount = 0;
	for (const std::string& signature : sub)
		signatures->AddString("applications", signature.c_str());
	for (const std::string& signature : super) {
		bool listed = false;
		for (const std::string& other : sub)
			listed = listed || strcasecmp(other.c_str(), signature.c_str()) == 0;
		if (!listed) {
			signatures->AddString("applications", signature.c_str());
			superCount++;
		}
	}
	signatures->AddInt32("be:sub", (int32)sub.size());
	signatures->AddInt32("be:super", superCount);
	return B_OK;
}


status_t
BMimeType::GetWildcardApps(BMessage* wildcardApps)
{
	return BMimeType(B_FILE_MIME_TYPE).GetSupportingApps(wildcardApps);
}


status_t
BMimeType::GetSupportedTypes(BMessage* types) const
{
	if (types == NULL)
		return B_BAD_VALUE;
	BMessage record;
	status_t status = _ReadRecord(&record);
	if (status == B_OK)
		copy_strings(record, kSupportedTypesField, types, B_MIME_TYPES_FIELD);
	return status;
}


// The supporting applications of a type are read from the applications' records when
// asked for, so they follow every change: fullSync has nothing left to do.
status_t
BMimeType::SetSupportedTypes(const BMessage* types, bool /*fullSync*/)
{
	if (fCStatus != B_OK)
		return B_NO_INIT;
	BMessage record;
	status_t status = _ReadRecord(&record);
	if (status != B_OK && status != B_ENTRY_NOT_FOUND)
		return status;
	record.RemoveName(kSupportedTypesField);
	const char* type;
	for (int32 i = 0; types != NULL
			&& types->FindString(B_MIME_TYPES_FIELD, i, &type) == B_OK; i++) {
		if (!IsValid(type))
			return B_BAD_VALUE;
		record.AddString(kSupportedTypesField, type);
	}
	return _WriteRecord(&record);
}


bool
BMimeType::IsValid(const char* type)
{
	return BPrivate::is_valid_mime_type(type);
}


status_t
BMimeType::GetInstalledSupertypes(BMessage* supertypes)
{
	return add_installed(NULL, supertypes, B_MIME_SUPERTYPES_FIELD);
}


status_t
BMimeType::GetInstalledTypes(BMessage* types)
{
	return add_installed(NULL, types, B_MIME_TYPES_FIELD);
}


status_t
BMimeType::GetInstalledTypes(const char* supertype, BMessage* subtypes)
{
	if (!IsValid(supertype) || strchr(supertype, '/') != NULL)
		return B_BAD_VALUE;
	return add_installed(supertype, subtypes, B_MIME_TYPES_FIELD);
}


status_t
BMimeType::_ReadRecord(BMessage* record) const
{
	if (fCStatus != B_OK)
		return B_NO_INIT;
	std::string path;
	status_t status = record_path(fType, path);
	return status == B_OK ? read_record(path, record) : status;
}


status_t
BMimeType::_WriteRecord(const BMessage* record)
{
	std::string path, folder;
	status_t status = record_path(fType, path, &folder);
	if (status != B_OK)
		return status;
	BMessage copy(*record);
	copy.RemoveName(kTypeField);
	copy.AddString(kTypeField, fType);
	status = write_record(path, folder, &copy);
	if (status != B_OK || IsSupertypeOnly())
		return status;
	// A type brings its supertype into the database with it.
	BMimeType supertype;
	status = GetSupertype(&supertype);
	return status == B_OK && !supertype.IsInstalled() ? supertype.Install() : status;
}


status_t
BMimeType::_GetString(const char* field, char* value) const
{
	if (value == NULL)
		return B_BAD_VALUE;
	BMessage record;
	status_t status = _ReadRecord(&record);
	if (status != B_OK)
		return status;
	const char* found;
	if (record.FindString(field, &found) != B_OK)
		return B_ENTRY_NOT_FOUND;
	if (strlen(found) >= B_MIME_TYPE_LENGTH)
		return B_BAD_DATA;
	strcpy(value, found);
	return B_OK;
}


status_t
BMimeType::_SetString(const char* field, const char* value)
{
	if (fCStatus != B_OK)
		return B_NO_INIT;
	if (value != NULL && strlen(value) >= B_MIME_TYPE_LENGTH)
		return B_BAD_VALUE;
	BMessage record;
	status_t status = _ReadRecord(&record);
	if (status != B_OK && status != B_ENTRY_NOT_FOUND)
		return status;
	record.RemoveName(field);
	if (value != NULL)
		record.AddString(field, value);
	return _WriteRecord(&record);
}


status_t
BMimeType::StartWatching(BMessenger target)
{
	return BPrivate::MimeWatch::Default()->Add(target);
}


status_t
BMimeType::StopWatching(BMessenger target)
{
	return BPrivate::MimeWatch::Default()->Remove(target);
}

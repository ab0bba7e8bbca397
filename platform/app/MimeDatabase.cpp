#include "app/MimeDatabase.h"

#include <FindDirectory.h>
#include <StorageDefs.h>

#include "storage/RegularFile.h"
#include "storage/StorageErrors.h"

#include <errno.h>
#include <unistd.h>

#include <vector>

namespace BPrivate {

const char kDatabaseFolder[] = "bekit/mime";
const char kSupertypeRecord[] = "@";


status_t
database_path(std::string& path)
{
	char data[B_PATH_NAME_LENGTH];
	status_t status = find_directory(B_USER_DATA_DIRECTORY, (dev_t)-1, false, data,
		sizeof(data));
	if (status != B_OK)
		return status;
	path = std::string(data) + "/" + kDatabaseFolder;
	return B_OK;
}


status_t
read_record(const std::string& path, BMessage* record)
{
	status_t status;
	int fd = open_regular_file(path.c_str(), &status);
	if (fd < 0)
		return status;
	std::vector<char> buffer(kMaxRecordSize + 1);
	size_t length = 0;
	ssize_t got;
	while ((got = read(fd, buffer.data() + length, buffer.size() - length)) > 0)
		length += got;
	int error = errno;
	close(fd);
	if (got < 0)
		return status_for_errno(error);
	if (length > kMaxRecordSize)
		return B_BAD_DATA;
	return record->Unflatten(buffer.data(), length);
}

} // namespace BPrivate

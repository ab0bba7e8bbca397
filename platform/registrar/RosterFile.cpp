#include "RosterFile.h"

#include <vector>

#include "support/SmallFile.h"


RosterFile::RosterFile(const std::string& path)
	:
	fPath(path)
{
}


status_t
RosterFile::Load(BMessage& roster) const
{
	roster.MakeEmpty();
	std::vector<char> data;
	status_t status = BPrivate::read_small_file(fPath, kMaxSize, data);
	if (status != B_OK)
		return status;
	if (roster.Unflatten(data.data(), (ssize_t)data.size()) != B_OK || roster.what != kWhat) {
		roster.MakeEmpty();
		return B_BAD_DATA;
	}
	return B_OK;
}


status_t
RosterFile::Save(const BMessage& roster) const
{
	ssize_t size = roster.FlattenedSize();
	if (size < 0)
		return (status_t)size;
	std::vector<char> data(size);
	status_t status = roster.Flatten(data.data(), size);
	if (status != B_OK)
		return status;

	// Only this registrar writes there while it holds the lock, so one temporary name does.
	return BPrivate::replace_small_file(fPath, fPath + ".new", data);
}

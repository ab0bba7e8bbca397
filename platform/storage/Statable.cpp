#include <Statable.h>


BStatable::~BStatable()
{
}


bool
BStatable::IsFile() const
{
	struct stat info;
	return GetStat(&info) == B_OK && S_ISREG(info.st_mode);
}


bool
BStatable::IsDirectory() const
{
	struct stat info;
	return GetStat(&info) == B_OK && S_ISDIR(info.st_mode);
}


bool
BStatable::IsSymLink() const
{
	struct stat info;
	return GetStat(&info) == B_OK && S_ISLNK(info.st_mode);
}


status_t
BStatable::GetPermissions(mode_t* permissions) const
{
	if (permissions == NULL)
		return B_BAD_VALUE;
	struct stat info;
	status_t status = GetStat(&info);
	if (status == B_OK)
		*permissions = info.st_mode & ~S_IFMT;
	return status;
}


status_t
BStatable::GetModificationTime(time_t* modificationTime) const
{
	if (modificationTime == NULL)
		return B_BAD_VALUE;
	struct stat info;
	status_t status = GetStat(&info);
	if (status == B_OK)
		*modificationTime = info.st_mtime;
	return status;
}

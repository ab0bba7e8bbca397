#include "StatChanges.h"

#include "storage/StorageErrors.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

namespace BPrivate {

namespace {

// BStatable's bits, which are protected there.
enum {
	kSetOwner	= 0x01,
	kSetGroup	= 0x02,
	kSetMode	= 0x04,
	kSetMTime	= 0x08,
	kSetATime	= 0x10
};


status_t
result(int returned)
{
	return returned == 0 ? B_OK : status_for_errno(errno);
}

} // namespace


status_t
apply_stat_changes(int fd, const char* path, const struct stat& stat, uint32 what)
{
	if (fd < 0 && path == NULL)
		return B_NO_INIT;
	if ((what & (kSetOwner | kSetGroup)) != 0) {
		uid_t owner = (what & kSetOwner) != 0 ? stat.st_uid : (uid_t)-1;
		gid_t group = (what & kSetGroup) != 0 ? stat.st_gid : (gid_t)-1;
		status_t status = result(fd >= 0 ? fchown(fd, owner, group)
			: lchown(path, owner, group));
		if (status != B_OK)
			return status;
	}
	if ((what & kSetMode) != 0) {
		status_t status = result(fd >= 0 ? fchmod(fd, stat.st_mode & 07777)
			: chmod(path, stat.st_mode & 07777));
		if (status != B_OK)
			return status;
	}
	if ((what & (kSetMTime | kSetATime)) != 0) {
		struct timespec times[2] = {{0, UTIME_OMIT}, {0, UTIME_OMIT}};
		if ((what & kSetATime) != 0)
			times[0] = {stat.st_atime, 0};
		if ((what & kSetMTime) != 0)
			times[1] = {stat.st_mtime, 0};
		return result(fd >= 0 ? futimens(fd, times)
			: utimensat(AT_FDCWD, path, times, AT_SYMLINK_NOFOLLOW));
	}
	return B_OK;
}


status_t
read_birth_time(int fd, const char* path, time_t* birthTime)
{
	struct statx info;
	int returned = fd >= 0 ? statx(fd, "", AT_EMPTY_PATH, STATX_BTIME, &info)
		: path != NULL ? statx(AT_FDCWD, path, AT_SYMLINK_NOFOLLOW, STATX_BTIME, &info)
		: (errno = EBADF, -1);
	if (returned != 0)
		return status_for_errno(errno);
	if ((info.stx_mask & STATX_BTIME) == 0)
		return B_UNSUPPORTED;
	*birthTime = info.stx_btime.tv_sec;
	return B_OK;
}

} // namespace BPrivate

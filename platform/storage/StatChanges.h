// Changes a node's owner, mode and times, and reads its birth time, through its
// descriptor or, for an entry that is not held open, its path.
#ifndef _STAT_CHANGES_PRIVATE_H
#define _STAT_CHANGES_PRIVATE_H

#include <SupportDefs.h>

#include <sys/stat.h>
#include <time.h>

namespace BPrivate {

// fd when it is not negative, else path (a symbolic link there is changed itself
// where Linux allows it). what holds BStatable's B_STAT_SET_* bits.
status_t apply_stat_changes(int fd, const char* path, const struct stat& stat, uint32 what);
status_t read_birth_time(int fd, const char* path, time_t* birthTime);

} // namespace BPrivate

#endif // _STAT_CHANGES_PRIVATE_H

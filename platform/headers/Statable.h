// What can be asked of a node's stat record, whatever kind of node it is.
#ifndef _STATABLE_H
#define _STATABLE_H

#include <SupportDefs.h>

#include <sys/stat.h>
#include <time.h>

class BStatable {
public:
	virtual						~BStatable();

	virtual	status_t			GetStat(struct stat* stat) const = 0;

			bool				IsFile() const;
			bool				IsDirectory() const;
			bool				IsSymLink() const;

			status_t			GetPermissions(mode_t* permissions) const;
			status_t			GetModificationTime(time_t* modificationTime) const;
};

#endif // _STATABLE_H

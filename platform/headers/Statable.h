// What can be asked of a node's stat record, whatever kind of node it is.
#ifndef _STATABLE_H
#define _STATABLE_H

#include <SupportDefs.h>

#include <sys/stat.h>
#include <time.h>

struct node_ref;

class BStatable {
public:
	virtual						~BStatable();

	virtual	status_t			GetStat(struct stat* stat) const = 0;

			bool				IsFile() const;
			bool				IsDirectory() const;
			bool				IsSymLink() const;

			status_t			GetNodeRef(node_ref* ref) const;

			status_t			GetOwner(uid_t* owner) const;
			status_t			SetOwner(uid_t owner);
			status_t			GetGroup(gid_t* group) const;
			status_t			SetGroup(gid_t group);
			status_t			GetPermissions(mode_t* permissions) const;
			status_t			SetPermissions(mode_t permissions);
			status_t			GetSize(off_t* size) const;

			status_t			GetModificationTime(time_t* modificationTime) const;
			status_t			SetModificationTime(time_t modificationTime);
	// The birth time where the file system records one, else the earlier of the
	// modification and change times. Linux cannot set it: SetCreationTime gives
	// B_UNSUPPORTED.
			status_t			GetCreationTime(time_t* creationTime) const;
			status_t			SetCreationTime(time_t creationTime);
			status_t			GetAccessTime(time_t* accessTime) const;
			status_t			SetAccessTime(time_t accessTime);

protected:
	// What set_stat changes.
	enum {
		B_STAT_SET_OWNER		= 0x01,
		B_STAT_SET_GROUP		= 0x02,
		B_STAT_SET_MODE			= 0x04,
		B_STAT_SET_MTIME		= 0x08,
		B_STAT_SET_ATIME		= 0x10
	};

private:
	// Writes the parts of stat that what names to the node; a node that is not
	// a symbolic link's own is changed where it lies.
	virtual	status_t			set_stat(const struct stat& stat, uint32 what) = 0;
	// The node's birth time; B_UNSUPPORTED where the file system keeps none.
	virtual	status_t			get_birth_time(time_t* birthTime) const = 0;
	// Tells the kit where the node lies now, so that a node_ref of it can be
	// watched (the kernel turns none back into a path).
	virtual	void				remember_node(const node_ref& ref) const = 0;
};

#endif // _STATABLE_H

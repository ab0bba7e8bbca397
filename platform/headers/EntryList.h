// Something that names entries one after another: a directory's contents, for one.
#ifndef _ENTRY_LIST_H
#define _ENTRY_LIST_H

#include <Entry.h>
#include <SupportDefs.h>

#include <dirent.h>
#include <limits.h>

class BEntryList {
public:
								BEntryList();
	virtual						~BEntryList();

	// B_ENTRY_NOT_FOUND after the last entry.
	virtual	status_t			GetNextEntry(BEntry* entry, bool traverse = false) = 0;
	virtual	status_t			GetNextRef(entry_ref* ref) = 0;
	// Fills buffer (length bytes) with up to count dirent records, each d_reclen long;
	// returns how many, 0 after the last.
	virtual	int32				GetNextDirents(struct dirent* buffer, size_t length,
									int32 count = INT_MAX) = 0;
	virtual	status_t			Rewind() = 0;
	virtual	int32				CountEntries() = 0;
};

#endif // _ENTRY_LIST_H

// A directory held open: its entries, one by one (without "." and ".."), lookups and
// creation of entries relative to it.
#ifndef _DIRECTORY_H
#define _DIRECTORY_H

#include <EntryList.h>
#include <Node.h>

class BFile;
class BPath;
class BSymLink;

class BDirectory : public BNode, public BEntryList {
public:
								BDirectory();
								BDirectory(const BDirectory& directory);
								BDirectory(const entry_ref* ref);
								BDirectory(const BEntry* entry);
								BDirectory(const char* path);
	// path relative to directory (an absolute path ignores directory).
								BDirectory(const BDirectory* directory, const char* path);
	virtual						~BDirectory();

	// B_NOT_A_DIRECTORY when the node is something else.
			status_t			SetTo(const entry_ref* ref);
			status_t			SetTo(const BEntry* entry);
			status_t			SetTo(const char* path);
			status_t			SetTo(const BDirectory* directory, const char* path);
			void				Unset();

			status_t			GetEntry(BEntry* entry) const;
			bool				IsRootDirectory() const;

	// path relative to this directory, or absolute.
			status_t			FindEntry(const char* path, BEntry* entry,
									bool traverse = false) const;
			bool				Contains(const char* path, int32 nodeFlags = 0) const;
			bool				Contains(const BEntry* entry, int32 nodeFlags = 0) const;
			status_t			GetStatFor(const char* path, struct stat* stat) const;

	virtual	status_t			GetNextEntry(BEntry* entry, bool traverse = false);
	virtual	status_t			GetNextRef(entry_ref* ref);
	virtual	int32				GetNextDirents(struct dirent* buffer, size_t length,
									int32 count = INT_MAX);
	virtual	status_t			Rewind();
	virtual	int32				CountEntries();

	// New entries relative to this directory. CreateFile opens the file read-write
	// (B_FILE_EXISTS with failIfExists when it is there); file and directory may be NULL.
			status_t			CreateDirectory(const char* path, BDirectory* directory);
			status_t			CreateFile(const char* path, BFile* file,
									bool failIfExists = false);
	// A symbolic link at path whose contents are linkToPath (kept as given);
	// B_FILE_EXISTS when path is taken. link may be NULL.
			status_t			CreateSymLink(const char* path, const char* linkToPath,
									BSymLink* link);

			BDirectory&			operator=(const BDirectory& directory);

private:
			status_t			_Resolve(const char* path, char* resolved) const;
			void				_CloseStream();

			char*				fPath;
			void*				fStream;
};

// Makes path and every missing directory above it with mode.
status_t create_directory(const char* path, mode_t mode);

// Flags of Contains: which kind of node the entry must be (0 for any).
enum {
	B_FILE_NODE			= 0x01,
	B_SYMLINK_NODE		= 0x02,
	B_DIRECTORY_NODE	= 0x04,
	B_ANY_NODE			= 0x07
};

#endif // _DIRECTORY_H

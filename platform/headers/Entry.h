// entry_ref names a file by its directory (device and inode) and its name within it; a
// BEntry is an entry of the file system, which need not exist.
#ifndef _ENTRY_H
#define _ENTRY_H

#include <Statable.h>
#include <StorageDefs.h>
#include <SupportDefs.h>

class BDirectory;
class BPath;

struct entry_ref {
	entry_ref();
	entry_ref(dev_t device, ino_t directory, const char* name);
	entry_ref(const entry_ref& other);
	~entry_ref();

	// B_NO_MEMORY when the copy of name cannot be made; NULL clears the name.
	status_t set_name(const char* name);

	bool operator==(const entry_ref& other) const;
	bool operator!=(const entry_ref& other) const;
	bool operator<(const entry_ref& other) const;
	entry_ref& operator=(const entry_ref& other);

	dev_t device;
	ino_t directory;
	char* name;
};

// B_ENTRY_NOT_FOUND when the path's directory does not exist; the leaf need not.
status_t get_ref_for_path(const char* path, entry_ref* ref);

class BEntry : public BStatable {
public:
	BEntry();
	// traverse follows a symbolic link at the leaf to what it names.
	BEntry(const char* path, bool traverse = false);
	BEntry(const entry_ref* ref, bool traverse = false);
	// path relative to directory (an absolute path ignores directory).
	BEntry(const BDirectory* directory, const char* path, bool traverse = false);
	BEntry(const BEntry& other);
	virtual ~BEntry();

	status_t InitCheck() const { return fStatus; }
	bool Exists() const;
	// The entry's own stat record: a symbolic link's, not its target's.
	virtual status_t GetStat(struct stat* stat) const;

	status_t SetTo(const char* path, bool traverse = false);
	status_t SetTo(const entry_ref* ref, bool traverse = false);
	status_t SetTo(const BDirectory* directory, const char* path, bool traverse = false);
	void Unset();

	status_t GetRef(entry_ref* ref) const;
	status_t GetPath(BPath* path) const;
	status_t GetParent(BEntry* parent) const;
	status_t GetParent(BDirectory* parent) const;
	// name must hold B_FILE_NAME_LENGTH bytes.
	status_t GetName(char* name) const;

	// Renames the entry within its directory (path may also name another
	// directory); without clobber an existing entry there gives B_FILE_EXISTS. The
	// BEntry follows the entry to its new place.
	status_t Rename(const char* path, bool clobber = false);
	// Moves the entry into directory, under path when it is given, else under its
	// own name.
	status_t MoveTo(BDirectory* directory, const char* path = NULL, bool clobber = false);
	// Removes the entry (a directory only when it is empty); the BEntry stays set
	// to where it was.
	status_t Remove();

	BEntry& operator=(const BEntry& other);
	bool operator==(const BEntry& other) const;
	bool operator!=(const BEntry& other) const;

private:
	virtual status_t set_stat(const struct stat& stat, uint32 what);
	virtual status_t get_birth_time(time_t* birthTime) const;
	virtual void remember_node(const node_ref& ref) const;
	status_t _MoveTo(const char* target, bool clobber);
	status_t _SetAbsolute(const char* absolutePath, bool traverse);

	// The absolute path, its directory part resolved; the leaf is kept as named.
	char* fPath;
	status_t fStatus;
};

#endif // _ENTRY_H

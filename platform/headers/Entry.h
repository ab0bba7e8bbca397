// entry_ref names a file by its directory (device and inode) and its name within it; a
// BEntry is an entry of the file system, which need not exist.
#ifndef _ENTRY_H
#define _ENTRY_H

#include <StorageDefs.h>
#include <SupportDefs.h>

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

class BEntry {
public:
	BEntry();
	// traverse follows a symbolic link at the leaf to what it names.
	BEntry(const char* path, bool traverse = false);
	BEntry(const entry_ref* ref, bool traverse = false);
	BEntry(const BEntry& other);
	virtual ~BEntry();

	status_t InitCheck() const { return fStatus; }
	bool Exists() const;

	status_t SetTo(const char* path, bool traverse = false);
	status_t SetTo(const entry_ref* ref, bool traverse = false);
	void Unset();

	status_t GetRef(entry_ref* ref) const;
	status_t GetPath(BPath* path) const;
	status_t GetParent(BEntry* parent) const;
	// name must hold B_FILE_NAME_LENGTH bytes.
	status_t GetName(char* name) const;

	BEntry& operator=(const BEntry& other);
	bool operator==(const BEntry& other) const;
	bool operator!=(const BEntry& other) const;

private:
	status_t _SetAbsolute(const char* absolutePath, bool traverse);

	// The absolute path, its directory part resolved; the leaf is kept as named.
	char* fPath;
	status_t fStatus;
};

#endif // _ENTRY_H

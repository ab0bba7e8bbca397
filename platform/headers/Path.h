// An absolute path name. A relative path, or one with "." or ".." components, double or
// trailing slashes, is normalized against the current directory, which needs the
// directory part to exist; the leaf need not.
#ifndef _PATH_H
#define _PATH_H

#include <Flattenable.h>
#include <StorageDefs.h>
#include <SupportDefs.h>

class BEntry;
struct entry_ref;

class BPath : public BFlattenable {
public:
	BPath();
	BPath(const char* dir, const char* leaf = NULL, bool normalize = false);
	BPath(const entry_ref* ref);
	BPath(const BEntry* entry);
	BPath(const BPath& other);
	virtual ~BPath();

	status_t InitCheck() const { return fStatus; }

	// normalize also resolves symbolic links in the directory part.
	status_t SetTo(const char* path, const char* leaf = NULL, bool normalize = false);
	status_t SetTo(const entry_ref* ref);
	status_t SetTo(const BEntry* entry);
	void Unset();

	status_t Append(const char* path, bool normalize = false);
	status_t GetParent(BPath* parent) const;

	// NULL when not initialized.
	const char* Path() const { return fName; }
	// The last component; "" for "/".
	const char* Leaf() const;

	// A path travels as the entry_ref of its entry (B_REF_TYPE, docs/entry-ref-format.md),
	// so its directory must exist; an uninitialized path flattens to an empty ref and
	// comes back uninitialized.
	virtual bool IsFixedSize() const;
	virtual type_code TypeCode() const;
	virtual ssize_t FlattenedSize() const;
	virtual status_t Flatten(void* buffer, ssize_t size) const;
	virtual bool AllowsTypeCode(type_code code) const;
	virtual status_t Unflatten(type_code code, const void* buffer, ssize_t size);

	BPath& operator=(const BPath& other);
	BPath& operator=(const char* path);
	bool operator==(const BPath& other) const;
	bool operator==(const char* path) const;
	bool operator!=(const BPath& other) const;
	bool operator!=(const char* path) const;

private:
	void _Adopt(char* path);

	char* fName;
	status_t fStatus;
};

#endif // _PATH_H

// A node of the file system held open: the base of files. A BNode opens its node read-only
// and close-on-exec; copies share the node through a duplicated descriptor.
#ifndef _NODE_H
#define _NODE_H

#include <Statable.h>
#include <StorageDefs.h>
#include <fs_attr.h>

class BDirectory;
class BEntry;
class BString;
struct entry_ref;

// Names a node by its device and its inode on it, whatever entries name it.
struct node_ref {
	node_ref();
	node_ref(dev_t device, ino_t node);
	node_ref(const node_ref& other);

	bool operator==(const node_ref& other) const;
	bool operator!=(const node_ref& other) const;
	bool operator<(const node_ref& other) const;
	node_ref& operator=(const node_ref& other);

	dev_t device;
	ino_t node;
};

class BNode : public BStatable {
public:
								BNode();
								BNode(const char* path);
								BNode(const entry_ref* ref);
								BNode(const BEntry* entry);
								BNode(const BDirectory* directory, const char* path);
								BNode(const BNode& node);
	virtual						~BNode();

			status_t			InitCheck() const;

			status_t			SetTo(const char* path);
			status_t			SetTo(const entry_ref* ref);
			status_t			SetTo(const BEntry* entry);
			status_t			SetTo(const BDirectory* directory, const char* path);
			void				Unset();

	// An advisory lock on the node that other BNodes of it (in this process or
	// another) respect: B_BUSY while one of them holds it.
			status_t			Lock();
			status_t			Unlock();

	virtual	status_t			GetStat(struct stat* stat) const;

	// Flushes what was written to the node to its device.
			status_t			Sync();

	// Attributes (fs_attr.h). ReadAttr reads from offset pos of the data and returns the
	// bytes read; WriteAttr keeps the bytes before pos, puts buffer there and drops the
	// rest, and returns the bytes written. B_ENTRY_NOT_FOUND for a missing attribute,
	// B_UNSUPPORTED where the file system keeps none.
			ssize_t				ReadAttr(const char* name, type_code type, off_t pos,
									void* buffer, size_t size) const;
			ssize_t				WriteAttr(const char* name, type_code type, off_t pos,
									const void* buffer, size_t size);
			status_t			RemoveAttr(const char* name);
	// B_FILE_EXISTS when newName is taken.
			status_t			RenameAttr(const char* oldName, const char* newName);
			status_t			GetAttrInfo(const char* name, attr_info* info) const;
	// Names the node's attributes one by one (buffer holds B_ATTR_NAME_LENGTH bytes);
	// B_ENTRY_NOT_FOUND after the last.
			status_t			GetNextAttrName(char* buffer);
			status_t			RewindAttrs();

	// A B_STRING_TYPE attribute, without its NUL; ReadAttrString accepts any type.
			status_t			WriteAttrString(const char* name, const BString* data);
			status_t			ReadAttrString(const char* name, BString* result) const;

			BNode&				operator=(const BNode& node);
	// The same node of the same device, or both uninitialized.
			bool				operator==(const BNode& node) const;
			bool				operator!=(const BNode& node) const;

protected:
	// Takes over fd (or, when it is negative, records status as the failure).
			void				_SetDescriptor(int fd, status_t status);
			int					_Descriptor() const;

private:
	virtual	status_t			set_stat(const struct stat& stat, uint32 what);
	virtual	status_t			get_birth_time(time_t* birthTime) const;
	virtual	void				remember_node(const node_ref& ref) const;

			int					fFd;
			status_t			fCStatus;
			int32				fAttrIndex = 0;
};

#endif // _NODE_H

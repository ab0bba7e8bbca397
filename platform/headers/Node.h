// A node of the file system held open: the base of files. A BNode opens its node read-only
// and close-on-exec; copies share the node through a duplicated descriptor.
#ifndef _NODE_H
#define _NODE_H

#include <Statable.h>

class BEntry;
struct entry_ref;

class BNode : public BStatable {
public:
								BNode();
								BNode(const char* path);
								BNode(const entry_ref* ref);
								BNode(const BEntry* entry);
								BNode(const BNode& node);
	virtual						~BNode();

			status_t			InitCheck() const;

			status_t			SetTo(const char* path);
			status_t			SetTo(const entry_ref* ref);
			status_t			SetTo(const BEntry* entry);
			void				Unset();

	virtual	status_t			GetStat(struct stat* stat) const;

	// Flushes what was written to the node to its device.
			status_t			Sync();

			BNode&				operator=(const BNode& node);

protected:
	// Takes over fd (or, when it is negative, records status as the failure).
			void				_SetDescriptor(int fd, status_t status);
			int					_Descriptor() const;

private:
			int					fFd;
			status_t			fCStatus;
};

#endif // _NODE_H

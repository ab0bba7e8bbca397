// A symbolic link held open as a node of its own: what it names, and that path
// made absolute. Attributes of a link are refused by Linux (B_UNSUPPORTED).
#ifndef _SYM_LINK_H
#define _SYM_LINK_H

#include <Node.h>
#include <StorageDefs.h>

class BDirectory;
class BPath;

class BSymLink : public BNode {
public:
								BSymLink();
								BSymLink(const BSymLink& link);
								BSymLink(const entry_ref* ref);
								BSymLink(const BEntry* entry);
								BSymLink(const char* path);
								BSymLink(const BDirectory* directory, const char* path);
	virtual						~BSymLink();

	// The link itself, never what it names; B_BAD_VALUE when the entry is no link.
			status_t			SetTo(const entry_ref* ref);
			status_t			SetTo(const BEntry* entry);
			status_t			SetTo(const char* path);
			status_t			SetTo(const BDirectory* directory, const char* path);

	// Copies the link's contents, NUL-terminated, into buffer (cut at size - 1
	// bytes) and returns their full length.
			ssize_t				ReadLink(char* buffer, size_t size);
	// The path the link names: its contents, or for a relative link its contents
	// after dirPath (the link's directory). Returns the path's length.
			ssize_t				MakeLinkedPath(const char* dirPath, BPath* path);
			ssize_t				MakeLinkedPath(const BDirectory* directory, BPath* path);
			bool				IsAbsolute();

			BSymLink&			operator=(const BSymLink& link);
};

#endif // _SYM_LINK_H

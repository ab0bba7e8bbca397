// The user's recently used documents, folders and applications, kept in one file of the
// user's settings directory (docs/launching-and-timing.md) that every application of the
// user reads and rewrites. Its bytes are not trusted: a file that does not read as such a
// list is taken as empty.
#ifndef _RECENT_ENTRIES_H
#define _RECENT_ENTRIES_H

#include <Message.h>

#include <string>
#include <vector>

namespace BPrivate {

// The entries kept of each kind; older ones are dropped.
const int32 kMaxRecentEntries = 64;
// The largest file read.
const off_t kMaxRecentFileSize = 256 * 1024;

enum recent_kind {
	kRecentDocument,
	kRecentFolder,
	kRecentApp
};

struct recent_entry {
	std::string path;
	std::string signature;
};

// Puts path first among the entries of kind (once: an older entry of the same path and
// signature goes).
status_t add_recent_entry(recent_kind kind, const char* path, const char* signature);
// The entries of kind, most recent first.
std::vector<recent_entry> recent_entries(recent_kind kind);

} // namespace BPrivate

#endif // _RECENT_ENTRIES_H

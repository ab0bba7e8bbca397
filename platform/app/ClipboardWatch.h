// Tells the watchers of clipboards when another commit lands. Commits replace the
// clipboard's file in the runtime directory (ClipboardStore), so one thread per process
// follows the directory through inotify, whoever committed, and sends
// B_CLIPBOARD_CHANGED to the watchers of that clipboard. The thread starts with the first
// watcher and lives as long as the process.
#ifndef _CLIPBOARD_WATCH_H
#define _CLIPBOARD_WATCH_H

#include <Messenger.h>

#include "InotifyLoop.h"

#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace BPrivate {

class ClipboardWatch {
public:
	static	ClipboardWatch*		Default();

	// leaf: the clipboard's file name (ClipboardStore::Leaf()).
			status_t			Add(const std::string& leaf, const BMessenger& target);
			status_t			Remove(const std::string& leaf, const BMessenger& target);

private:
								ClipboardWatch();

			status_t			FollowDirectoryLocked();
			void				Notify(const std::string& leaf);

			std::mutex			fLock;
			std::vector<std::pair<std::string, BMessenger>> fWatchers;
			InotifyLoop			fLoop;
			int					fWatch;
			std::string			fDirectory;
};

} // namespace BPrivate

#endif // _CLIPBOARD_WATCH_H

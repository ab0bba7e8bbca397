// Tells the watchers of the MIME database what changed in it. Every process writes the
// database's records itself (each replaced at once by a rename), so one thread per process
// follows the database's folders through inotify, whoever wrote, compares each new record
// with the one it last saw and sends B_META_MIME_CHANGED for each difference. The thread
// starts with the first watcher and lives as long as the process.
#ifndef _MIME_WATCH_PRIVATE_H
#define _MIME_WATCH_PRIVATE_H

#include <Message.h>
#include <Messenger.h>

#include "InotifyLoop.h"

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace BPrivate {

class MimeWatch {
public:
	static	MimeWatch*			Default();

	// B_BAD_VALUE for an invalid target, or one that is not (or already) watching.
			status_t			Add(const BMessenger& target);
			status_t			Remove(const BMessenger& target);

private:
								MimeWatch();

			status_t			FollowDatabaseLocked();
			void				ForgetDatabaseLocked();
	// Watches a supertype's folder and reads its records; with notices, announces
	// those not seen before.
			void				WatchSupertypeLocked(const std::string& supertype,
									std::vector<BMessage>* notices);
			void				RecordChangedLocked(const std::string& supertype,
									const std::string& leaf, bool removed,
									std::vector<BMessage>* notices);
			void				EventsRead(const std::vector<const inotify_event*>& events);

			std::mutex			fLock;
			std::vector<BMessenger> fWatchers;
			InotifyLoop			fLoop;
			int					fDatabaseWatch;
			std::string			fDatabase;
	// Watch descriptor to supertype folder name.
			std::map<int, std::string> fSupertypes;
	// Each record as last read, by its file's path below the database.
			std::map<std::string, BMessage> fRecords;
};

} // namespace BPrivate

#endif // _MIME_WATCH_PRIVATE_H

// The live part of a BQuery: after its first results, inotify watches on every
// directory the query walked say which entries come to match or stop matching, and
// the target hears of each as a B_QUERY_UPDATE message (docs/queries.md).
#ifndef _LIVE_QUERY_PRIVATE_H
#define _LIVE_QUERY_PRIVATE_H

#include <Messenger.h>

#include "InotifyLoop.h"
#include "storage/QueryWalker.h"

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace BPrivate {

// Messages to the target are never waited for, as the node monitor's are not.
const bigtime_t kQueryUpdateSendTimeout = 0;

class LiveQuery {
public:
								LiveQuery(const QueryPredicate& predicate, dev_t device,
									const BMessenger& target);
								~LiveQuery();

	// Walks the volume, watching each directory, and returns the first results.
			status_t			Fetch(std::vector<QueryMatch>* results);

private:
			void				_WatchDirectory(const std::string& path);
			bool				_HandleBatch(const std::vector<const inotify_event*>& batch);
			void				_HandleEvent(const inotify_event& event);
			void				_Reevaluate(const std::string& directory, const char* name);
			void				_NewDirectory(const std::string& path);
			void				_Forget(const std::string& path, bool withContents);
			void				_Queue(int32 opcode, const QueryMatch& match);
			void				_Deliver();

	// fWalker walks on the thread of Fetch, fEvaluator judges events on the loop's.
			QueryWalker			fWalker;
			QueryWalker			fEvaluator;
			dev_t				fDevice;
			BMessenger			fTarget;
			InotifyLoop			fLoop;
			std::mutex			fLock;
			std::map<int, std::string> fDirectories;
			std::map<std::string, QueryMatch> fMatches;
			std::vector<BMessage> fOutgoing;
};

} // namespace BPrivate

#endif // _LIVE_QUERY_PRIVATE_H

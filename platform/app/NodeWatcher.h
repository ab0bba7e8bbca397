// The process's node monitor: the watches of watch_node, kept on one inotify loop and
// the mount table, turned into B_NODE_MONITOR messages (docs/node-monitor.md).
#ifndef _NODE_WATCHER_PRIVATE_H
#define _NODE_WATCHER_PRIVATE_H

#include <Messenger.h>
#include <Node.h>

#include "InotifyLoop.h"
#include "storage/MountTable.h"

#include <sys/stat.h>

#include <initializer_list>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace BPrivate {

// A message to a target is never waited for: one whose queue is full loses it.
const bigtime_t kNodeMonitorSendTimeout = 0;

class NodeWatcher {
public:
	static	NodeWatcher&		Default();

			status_t			Watch(const node_ref* node, uint32 flags,
									const BMessenger& target);
			status_t			StopWatching(const BMessenger& target);

private:
	struct Watched {
		node_ref				ref;
		node_ref				parent;
		std::string				path;
		struct stat				lastStat;
		// Attribute name to a hash of its value, for B_ATTR_CHANGED.
		std::map<std::string, size_t> attributes;
		// A directory's entries, so that a removed one still names its node.
		std::map<std::string, ino_t> children;
	};
	struct Subscription {
		node_ref				ref;
		uint32					flags;
		BMessenger				target;
	};
	struct Outgoing {
		BMessenger				target;
		BMessage				message;
	};
	// The first half of a rename, waiting for its second.
	struct PendingMove {
		uint32					cookie;
		int						descriptor;
		std::string				name;
		bool					fromEarlierBatch;
	};

								NodeWatcher();
								~NodeWatcher();

	// These run with fLock held.
			status_t			_StartOrStop(std::unique_lock<std::mutex>& lock,
									bool start = false);
			status_t			_WatchNode(const node_ref& ref, bool withParent);
			status_t			_AddWatch(const node_ref& ref, const std::string& path);
			void				_DropUnneeded();
			void				_HandleEvent(const inotify_event& event);
			void				_EntryAppeared(Watched& directory, const std::string& name);
			void				_EntryGone(Watched& directory, const std::string& name);
			void				_EntryMoved(Watched& from, const std::string& fromName,
									Watched& to, const std::string& toName);
			void				_NodeChanged(Watched& node, bool contentsOnly);
			void				_Notify(std::initializer_list<std::pair<node_ref, uint32>>
										interests, const BMessage& message);

	// These run on the loop's thread and take fLock themselves.
			bool				_HandleBatch(const std::vector<const inotify_event*>& batch);
			void				_MountsChanged();
			void				_Deliver();

	static	void				_ReadAttributes(const std::string& path,
									std::map<std::string, size_t>* attributes);
	static	void				_ReadChildren(const std::string& path,
									std::map<std::string, ino_t>* children);

	// Orders the callers of Watch and StopWatching, so that one may start or stop
	// the loop without fLock, which the loop's thread needs to finish a batch.
			std::mutex			fControl;
			std::mutex			fLock;
			InotifyLoop			fLoop;
			int					fMountTable;
			std::vector<MountEntry> fMounts;
			std::vector<Subscription> fSubscriptions;
			std::map<int, Watched> fWatched;
			std::map<node_ref, int> fDescriptors;
			std::vector<PendingMove> fPendingMoves;
			std::vector<Outgoing> fOutgoing;
};

} // namespace BPrivate

#endif // _NODE_WATCHER_PRIVATE_H

#include "NodeWatcher.h"

#include <AppDefs.h>
#include <Errors.h>
#include <NodeMonitor.h>

#include "storage/AttributeLayout.h"
#include "storage/DirectoryRegistry.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <set>

namespace BPrivate {

namespace {

const uint32 kWatchMask = IN_ATTRIB | IN_MODIFY | IN_CREATE | IN_DELETE | IN_MOVED_FROM
	| IN_MOVED_TO | IN_DONT_FOLLOW | IN_EXCL_UNLINK;


std::string
parent_path(const std::string& path)
{
	size_t slash = path.rfind('/');
	if (slash == std::string::npos || slash == 0)
		return "/";
	return path.substr(0, slash);
}


std::string
child_path(const std::string& directory, const std::string& name)
{
	return directory == "/" ? "/" + name : directory + "/" + name;
}


bool
same_stat(const struct stat& a, const struct stat& b)
{
	return a.st_mode == b.st_mode && a.st_uid == b.st_uid && a.st_gid == b.st_gid
		&& a.st_size == b.st_size && a.st_nlink == b.st_nlink
		&& a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec
		&& a.st_atim.tv_sec == b.st_atim.tv_sec && a.st_atim.tv_nsec == b.st_atim.tv_nsec;
}


// The node a mounted file system covers: its parent directory lists the covered
// directory's own inode, not the new root's.
ino_t
covered_node(const std::string& mountPoint, dev_t* device)
{
	std::string parent = parent_path(mountPoint);
	std::string leaf = mountPoint.substr(mountPoint.rfind('/') + 1);
	struct stat info;
	if (mountPoint == "/" || stat(parent.c_str(), &info) != 0)
		return 0;
	*device = info.st_dev;
	DIR* directory = opendir(parent.c_str());
	if (directory == NULL)
		return 0;
	ino_t node = 0;
	while (struct dirent* entry = readdir(directory)) {
		if (leaf == entry->d_name) {
			node = entry->d_ino;
			break;
		}
	}
	closedir(directory);
	return node;
}

} // namespace


NodeWatcher&
NodeWatcher::Default()
{
	static NodeWatcher sWatcher;
	return sWatcher;
}


NodeWatcher::NodeWatcher()
	:
	fMountTable(-1)
{
}


NodeWatcher::~NodeWatcher()
{
	fLoop.Stop();
	if (fMountTable >= 0)
		close(fMountTable);
}


status_t
NodeWatcher::Watch(const node_ref* node, uint32 flags, const BMessenger& target)
{
	if (!target.IsValid())
		return B_BAD_VALUE;
	if (node == NULL && (flags & B_WATCH_ALL) != 0)
		return B_BAD_VALUE;
	if (node == NULL && flags != B_WATCH_MOUNT && flags != B_STOP_WATCHING)
		return B_BAD_VALUE;

	std::lock_guard<std::mutex> control(fControl);
	std::unique_lock<std::mutex> lock(fLock);
	node_ref key = node != NULL ? *node : node_ref();
	auto existing = std::find_if(fSubscriptions.begin(), fSubscriptions.end(),
		[&](const Subscription& subscription) {
			return subscription.ref == key && subscription.target == target;
		});
	if (flags == B_STOP_WATCHING) {
		if (existing == fSubscriptions.end())
			return B_BAD_VALUE;
		fSubscriptions.erase(existing);
		_DropUnneeded();
		return _StartOrStop(lock);
	}

	status_t status = _StartOrStop(lock, true);
	if (status != B_OK)
		return status;
	if ((flags & B_WATCH_ALL) != 0) {
		status = _WatchNode(key, (flags & B_WATCH_NAME) != 0);
		if (status != B_OK) {
			_DropUnneeded();
			_StartOrStop(lock);
			return status;
		}
	}
	if (existing != fSubscriptions.end())
		existing->flags = flags;
	else
		fSubscriptions.push_back({key, flags, target});
	_DropUnneeded();
	return _StartOrStop(lock);
}


status_t
NodeWatcher::StopWatching(const BMessenger& target)
{
	std::lock_guard<std::mutex> control(fControl);
	std::unique_lock<std::mutex> lock(fLock);
	size_t before = fSubscriptions.size();
	fSubscriptions.erase(std::remove_if(fSubscriptions.begin(), fSubscriptions.end(),
		[&](const Subscription& subscription) { return subscription.target == target; }),
		fSubscriptions.end());
	if (fSubscriptions.size() == before)
		return B_BAD_VALUE;
	_DropUnneeded();
	return _StartOrStop(lock);
}


status_t
NodeWatcher::_StartOrStop(std::unique_lock<std::mutex>& lock, bool start)
{
	bool wantsMounts = start;
	for (const Subscription& subscription : fSubscriptions)
		wantsMounts = wantsMounts || (subscription.flags & B_WATCH_MOUNT) != 0;
	bool needed = start || !fSubscriptions.empty();
	if (needed == fLoop.IsRunning())
		return B_OK;
	if (!needed) {
		// The loop's thread takes fLock for each batch: let it finish before joining.
		lock.unlock();
		fLoop.Stop();
		lock.lock();
		if (fMountTable >= 0)
			close(fMountTable);
		fMountTable = -1;
		fWatched.clear();
		fDescriptors.clear();
		fPendingMoves.clear();
		return B_OK;
	}
	fMountTable = open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
	fMounts = read_mount_table();
	return fLoop.Start(
		[this](const std::vector<const inotify_event*>& batch) {
			return _HandleBatch(batch);
		},
		fMountTable, [this]() { _MountsChanged(); });
}


status_t
NodeWatcher::_WatchNode(const node_ref& ref, bool withParent)
{
	std::string path;
	auto known = fDescriptors.find(ref);
	if (known != fDescriptors.end())
		path = fWatched[known->second].path;
	else if (!FindNode(ref.device, ref.node, &path))
		return B_ENTRY_NOT_FOUND;
	status_t status = _AddWatch(ref, path);
	if (status != B_OK || !withParent)
		return status;
	std::string parent = parent_path(path);
	struct stat info;
	if (lstat(parent.c_str(), &info) != 0)
		return B_ENTRY_NOT_FOUND;
	return _AddWatch(node_ref(info.st_dev, info.st_ino), parent);
}


status_t
NodeWatcher::_AddWatch(const node_ref& ref, const std::string& path)
{
	if (fDescriptors.count(ref) != 0)
		return B_OK;
	int descriptor = fLoop.AddWatch(path.c_str(), kWatchMask);
	if (descriptor < 0)
		return descriptor;
	Watched watched;
	watched.ref = ref;
	watched.path = path;
	// The path may name another node by now; the watch must be of the one asked for.
	if (lstat(path.c_str(), &watched.lastStat) != 0 || watched.lastStat.st_dev != ref.device
		|| watched.lastStat.st_ino != ref.node) {
		fLoop.RemoveWatch(descriptor);
		return B_ENTRY_NOT_FOUND;
	}
	std::string parent = parent_path(path);
	struct stat parentInfo;
	if (lstat(parent.c_str(), &parentInfo) == 0)
		watched.parent = node_ref(parentInfo.st_dev, parentInfo.st_ino);
	_ReadAttributes(path, &watched.attributes);
	if (S_ISDIR(watched.lastStat.st_mode))
		_ReadChildren(path, &watched.children);
	fWatched[descriptor] = std::move(watched);
	fDescriptors[ref] = descriptor;
	return B_OK;
}


void
NodeWatcher::_DropUnneeded()
{
	std::set<node_ref> needed;
	for (const Subscription& subscription : fSubscriptions) {
		if ((subscription.flags & B_WATCH_ALL) == 0)
			continue;
		needed.insert(subscription.ref);
		auto descriptor = fDescriptors.find(subscription.ref);
		if ((subscription.flags & B_WATCH_NAME) != 0 && descriptor != fDescriptors.end())
			needed.insert(fWatched[descriptor->second].parent);
	}
	for (auto watched = fWatched.begin(); watched != fWatched.end();) {
		if (needed.count(watched->second.ref) != 0) {
			++watched;
			continue;
		}
		fLoop.RemoveWatch(watched->first);
		fDescriptors.erase(watched->second.ref);
		watched = fWatched.erase(watched);
	}
}


bool
NodeWatcher::_HandleBatch(const std::vector<const inotify_event*>& batch)
{
	{
		std::lock_guard<std::mutex> lock(fLock);
		for (PendingMove& move : fPendingMoves)
			move.fromEarlierBatch = true;
		for (const inotify_event* event : batch)
			_HandleEvent(*event);
		// A rename whose second half did not follow moved the entry out of sight.
		for (auto move = fPendingMoves.begin(); move != fPendingMoves.end();) {
			if (!move->fromEarlierBatch && !batch.empty()) {
				++move;
				continue;
			}
			auto directory = fWatched.find(move->descriptor);
			if (directory != fWatched.end())
				_EntryGone(directory->second, move->name);
			move = fPendingMoves.erase(move);
		}
		_DropUnneeded();
	}
	_Deliver();
	std::lock_guard<std::mutex> lock(fLock);
	return !fPendingMoves.empty();
}


void
NodeWatcher::_HandleEvent(const inotify_event& event)
{
	auto found = fWatched.find(event.wd);
	if (found == fWatched.end())
		return;
	Watched& watched = found->second;
	if ((event.mask & IN_IGNORED) != 0) {
		fDescriptors.erase(watched.ref);
		fWatched.erase(found);
		return;
	}
	if (event.len > 0 && event.name[0] != '\0') {
		std::string name(event.name, strnlen(event.name, event.len));
		if ((event.mask & IN_CREATE) != 0)
			_EntryAppeared(watched, name);
		else if ((event.mask & IN_DELETE) != 0)
			_EntryGone(watched, name);
		else if ((event.mask & IN_MOVED_FROM) != 0)
			fPendingMoves.push_back({event.cookie, event.wd, name, false});
		else if ((event.mask & IN_MOVED_TO) != 0) {
			auto move = std::find_if(fPendingMoves.begin(), fPendingMoves.end(),
				[&](const PendingMove& pending) { return pending.cookie == event.cookie; });
			auto from = move != fPendingMoves.end() ? fWatched.find(move->descriptor)
				: fWatched.end();
			if (from != fWatched.end())
				_EntryMoved(from->second, move->name, watched, name);
			else
				_EntryAppeared(watched, name);
			if (move != fPendingMoves.end())
				fPendingMoves.erase(move);
		}
		return;
	}
	if ((event.mask & (IN_MODIFY | IN_ATTRIB)) != 0)
		_NodeChanged(watched, (event.mask & IN_ATTRIB) == 0);
}


void
NodeWatcher::_EntryAppeared(Watched& directory, const std::string& name)
{
	std::string path = child_path(directory.path, name);
	struct stat info;
	if (lstat(path.c_str(), &info) != 0)
		return;
	directory.children[name] = info.st_ino;
	// Lets the target watch the new node by the node_ref it is told.
	RememberNode(info.st_dev, info.st_ino, path);
	BMessage message(B_NODE_MONITOR);
	message.AddInt32("opcode", B_ENTRY_CREATED);
	message.AddString("name", name.c_str());
	message.AddInt32("device", (int32)directory.ref.device);
	message.AddInt64("directory", (int64)directory.ref.node);
	message.AddInt64("node", (int64)info.st_ino);
	_Notify({{directory.ref, B_WATCH_DIRECTORY}}, message);
}


void
NodeWatcher::_EntryGone(Watched& directory, const std::string& name)
{
	auto child = directory.children.find(name);
	ino_t node = child != directory.children.end() ? child->second : 0;
	if (child != directory.children.end())
		directory.children.erase(child);
	BMessage message(B_NODE_MONITOR);
	message.AddInt32("opcode", B_ENTRY_REMOVED);
	message.AddString("name", name.c_str());
	message.AddInt32("device", (int32)directory.ref.device);
	message.AddInt64("directory", (int64)directory.ref.node);
	message.AddInt64("node", (int64)node);
	_Notify({{directory.ref, B_WATCH_DIRECTORY},
		{node_ref(directory.ref.device, node), B_WATCH_NAME}}, message);
}


void
NodeWatcher::_EntryMoved(Watched& from, const std::string& fromName, Watched& to,
	const std::string& toName)
{
	std::string oldPath = child_path(from.path, fromName);
	std::string newPath = child_path(to.path, toName);
	struct stat info;
	if (lstat(newPath.c_str(), &info) != 0) {
		_EntryGone(from, fromName);
		return;
	}
	from.children.erase(fromName);
	to.children[toName] = info.st_ino;
	node_ref moved(info.st_dev, info.st_ino);
	for (auto& [descriptor, watched] : fWatched) {
		if (watched.path == oldPath)
			watched.path = newPath;
		else if (watched.path.compare(0, oldPath.size() + 1, oldPath + "/") == 0)
			watched.path = newPath + watched.path.substr(oldPath.size());
		if (watched.ref == moved)
			watched.parent = to.ref;
	}
	RememberNode(info.st_dev, info.st_ino, newPath);

	BMessage message(B_NODE_MONITOR);
	message.AddInt32("opcode", B_ENTRY_MOVED);
	message.AddString("name", toName.c_str());
	message.AddString("from name", fromName.c_str());
	message.AddInt32("device", (int32)from.ref.device);
	message.AddInt64("from directory", (int64)from.ref.node);
	message.AddInt64("to directory", (int64)to.ref.node);
	message.AddInt64("node", (int64)info.st_ino);
	_Notify({{from.ref, B_WATCH_DIRECTORY}, {to.ref, B_WATCH_DIRECTORY},
		{moved, B_WATCH_NAME}}, message);
	// A node that moved to an unwatched directory needs that directory watched now.
	for (const Subscription& subscription : fSubscriptions) {
		if (subscription.ref == moved && (subscription.flags & B_WATCH_NAME) != 0)
			_AddWatch(to.ref, to.path);
	}
}


void
NodeWatcher::_NodeChanged(Watched& node, bool contentsOnly)
{
	struct stat info;
	if (lstat(node.path.c_str(), &info) != 0 || info.st_ino != node.ref.node
		|| info.st_nlink == 0)
		return;
	if (contentsOnly || !same_stat(info, node.lastStat)) {
		node.lastStat = info;
		BMessage message(B_NODE_MONITOR);
		message.AddInt32("opcode", B_STAT_CHANGED);
		message.AddInt32("device", (int32)node.ref.device);
		message.AddInt64("node", (int64)node.ref.node);
		_Notify({{node.ref, B_WATCH_STAT}}, message);
	}
	if (contentsOnly)
		return;
	std::map<std::string, size_t> attributes;
	_ReadAttributes(node.path, &attributes);
	std::set<std::string> names;
	for (const auto& attribute : attributes)
		names.insert(attribute.first);
	for (const auto& attribute : node.attributes)
		names.insert(attribute.first);
	for (const std::string& name : names) {
		auto now = attributes.find(name);
		auto before = node.attributes.find(name);
		int32 cause;
		if (before == node.attributes.end())
			cause = B_ATTR_CREATED;
		else if (now == attributes.end())
			cause = B_ATTR_REMOVED;
		else if (now->second != before->second)
			cause = B_ATTR_CHANGED;
		else
			continue;
		BMessage message(B_NODE_MONITOR);
		message.AddInt32("opcode", B_ATTR_CHANGED);
		message.AddInt32("device", (int32)node.ref.device);
		message.AddInt64("node", (int64)node.ref.node);
		message.AddString("attr", name.c_str());
		message.AddInt32("cause", cause);
		_Notify({{node.ref, B_WATCH_ATTR}}, message);
	}
	node.attributes = std::move(attributes);
}


void
NodeWatcher::_MountsChanged()
{
	{
		std::lock_guard<std::mutex> lock(fLock);
		std::vector<MountEntry> mounts = read_mount_table();
		auto has = [](const std::vector<MountEntry>& list, dev_t device) {
			return std::any_of(list.begin(), list.end(),
				[&](const MountEntry& entry) { return entry.device == device; });
		};
		for (const MountEntry& mount : mounts) {
			if (has(fMounts, mount.device))
				continue;
			dev_t device = 0;
			ino_t directory = covered_node(mount.mountPoint, &device);
			BMessage message(B_NODE_MONITOR);
			message.AddInt32("opcode", B_DEVICE_MOUNTED);
			message.AddInt32("new device", (int32)mount.device);
			message.AddInt32("device", (int32)device);
			message.AddInt64("directory", (int64)directory);
			_Notify({{node_ref(), B_WATCH_MOUNT}}, message);
		}
		for (const MountEntry& mount : fMounts) {
			if (has(mounts, mount.device))
				continue;
			BMessage message(B_NODE_MONITOR);
			message.AddInt32("opcode", B_DEVICE_UNMOUNTED);
			message.AddInt32("device", (int32)mount.device);
			_Notify({{node_ref(), B_WATCH_MOUNT}}, message);
		}
		fMounts = std::move(mounts);
	}
	_Deliver();
}


void
NodeWatcher::_Notify(std::initializer_list<std::pair<node_ref, uint32>> interests,
	const BMessage& message)
{
	std::vector<BMessenger> targets;
	for (const Subscription& subscription : fSubscriptions) {
		bool wanted = false;
		for (const auto& [ref, flag] : interests) {
			if ((subscription.flags & flag) != 0
				&& (flag == B_WATCH_MOUNT || subscription.ref == ref))
				wanted = true;
		}
		if (wanted && std::find(targets.begin(), targets.end(), subscription.target)
				== targets.end())
			targets.push_back(subscription.target);
	}
	for (const BMessenger& target : targets)
		fOutgoing.push_back({target, message});
}


void
NodeWatcher::_Deliver()
{
	std::vector<Outgoing> outgoing;
	{
		std::lock_guard<std::mutex> lock(fLock);
		outgoing.swap(fOutgoing);
	}
	std::vector<BMessenger> gone;
	for (Outgoing& message : outgoing) {
		status_t status = message.target.SendMessage(&message.message, (BHandler*)NULL,
			kNodeMonitorSendTimeout);
		if (status == B_BAD_PORT_ID)
			gone.push_back(message.target);
	}
	if (gone.empty())
		return;
	// A target that is gone for good loses its watches; its looper cannot come back.
	std::lock_guard<std::mutex> lock(fLock);
	fSubscriptions.erase(std::remove_if(fSubscriptions.begin(), fSubscriptions.end(),
		[&](const Subscription& subscription) {
			return std::find(gone.begin(), gone.end(), subscription.target) != gone.end();
		}), fSubscriptions.end());
	_DropUnneeded();
}


void
NodeWatcher::_ReadAttributes(const std::string& path,
	std::map<std::string, size_t>* attributes)
{
	attributes->clear();
	ssize_t length = llistxattr(path.c_str(), NULL, 0);
	if (length <= 0)
		return;
	std::vector<char> names(length + 1, '\0');
	length = llistxattr(path.c_str(), names.data(), length);
	if (length <= 0)
		return;
	std::string value(kMaxAttributeValue, '\0');
	for (ssize_t offset = 0; offset < length; offset += strlen(names.data() + offset) + 1) {
		const char* name = names.data() + offset;
		if (strncmp(name, kAttributePrefix, sizeof(kAttributePrefix) - 1) != 0)
			continue;
		ssize_t size = lgetxattr(path.c_str(), name, value.data(), value.size());
		if (size < 0)
			continue;
		(*attributes)[name + sizeof(kAttributePrefix) - 1]
			= std::hash<std::string_view>()(std::string_view(value.data(), size));
	}
}


void
NodeWatcher::_ReadChildren(const std::string& path, std::map<std::string, ino_t>* children)
{
	DIR* directory = opendir(path.c_str());
	if (directory == NULL)
		return;
	while (struct dirent* entry = readdir(directory)) {
		if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0)
			(*children)[entry->d_name] = entry->d_ino;
	}
	closedir(directory);
}

} // namespace BPrivate

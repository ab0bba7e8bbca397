#include "LiveQuery.h"

#include <AppDefs.h>
#include <NodeMonitor.h>

#include <string.h>

namespace BPrivate {

namespace {

const uint32 kDirectoryMask = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO
	| IN_ATTRIB | IN_CLOSE_WRITE | IN_ONLYDIR | IN_EXCL_UNLINK;


std::string
join(const std::string& directory, const std::string& name)
{
	return directory == "/" ? "/" + name : directory + "/" + name;
}

} // namespace


LiveQuery::LiveQuery(const QueryPredicate& predicate, dev_t device,
	const BMessenger& target)
	:
	fWalker(predicate, device, [this](const std::string& path) { _WatchDirectory(path); }),
	fEvaluator(predicate, device),
	fDevice(device),
	fTarget(target)
{
}


LiveQuery::~LiveQuery()
{
	fLoop.Stop();
}


status_t
LiveQuery::Fetch(std::vector<QueryMatch>* results)
{
	status_t status = fLoop.Start([this](const std::vector<const inotify_event*>& batch) {
		return _HandleBatch(batch);
	});
	if (status != B_OK)
		return status;
	QueryMatch match;
	while (fWalker.Next(&match) == B_OK) {
		std::lock_guard<std::mutex> lock(fLock);
		fMatches[match.path] = match;
		results->push_back(match);
	}
	return B_OK;
}


void
LiveQuery::_WatchDirectory(const std::string& path)
{
	// Past the per-user limit of watches the rest of the volume is not live.
	int descriptor = fLoop.AddWatch(path.c_str(), kDirectoryMask);
	if (descriptor < 0)
		return;
	std::lock_guard<std::mutex> lock(fLock);
	fDirectories[descriptor] = path;
}


bool
LiveQuery::_HandleBatch(const std::vector<const inotify_event*>& batch)
{
	for (const inotify_event* event : batch)
		_HandleEvent(*event);
	_Deliver();
	return false;
}


void
LiveQuery::_HandleEvent(const inotify_event& event)
{
	std::string directory;
	{
		std::lock_guard<std::mutex> lock(fLock);
		auto found = fDirectories.find(event.wd);
		if (found == fDirectories.end())
			return;
		if ((event.mask & IN_IGNORED) != 0) {
			fDirectories.erase(found);
			return;
		}
		directory = found->second;
	}
	if (event.len == 0 || event.name[0] == '\0')
		return;
	std::string name(event.name, strnlen(event.name, event.len));
	std::string path = join(directory, name);
	if ((event.mask & (IN_DELETE | IN_MOVED_FROM)) != 0) {
		_Forget(path, (event.mask & IN_ISDIR) != 0);
		return;
	}
	if ((event.mask & IN_ISDIR) != 0 && (event.mask & (IN_CREATE | IN_MOVED_TO)) != 0)
		_NewDirectory(path);
	_Reevaluate(directory, name.c_str());
}


void
LiveQuery::_Reevaluate(const std::string& directory, const char* name)
{
	QueryMatch match;
	bool matches = fEvaluator.Evaluate(directory, name, &match);
	std::lock_guard<std::mutex> lock(fLock);
	std::string path = join(directory, name);
	auto known = fMatches.find(path);
	if (matches && known == fMatches.end()) {
		fMatches[path] = match;
		_Queue(B_ENTRY_CREATED, match);
	} else if (!matches && known != fMatches.end()) {
		_Queue(B_ENTRY_REMOVED, known->second);
		fMatches.erase(known);
	}
}


void
LiveQuery::_NewDirectory(const std::string& path)
{
	// A directory that arrives with contents (moved in) is walked like the volume.
	QueryWalker walker(fWalker.Predicate(), fDevice,
		[this](const std::string& directory) { _WatchDirectory(directory); });
	walker.SetRoots({path});
	QueryMatch match;
	while (walker.Next(&match) == B_OK) {
		std::lock_guard<std::mutex> lock(fLock);
		if (fMatches.count(match.path) == 0) {
			fMatches[match.path] = match;
			_Queue(B_ENTRY_CREATED, match);
		}
	}
}


void
LiveQuery::_Forget(const std::string& path, bool withContents)
{
	std::lock_guard<std::mutex> lock(fLock);
	std::string prefix = path + "/";
	for (auto match = fMatches.begin(); match != fMatches.end();) {
		bool gone = match->first == path
			|| (withContents && match->first.compare(0, prefix.size(), prefix) == 0);
		if (!gone) {
			++match;
			continue;
		}
		_Queue(B_ENTRY_REMOVED, match->second);
		match = fMatches.erase(match);
	}
}


void
LiveQuery::_Queue(int32 opcode, const QueryMatch& match)
{
	BMessage message(B_QUERY_UPDATE);
	message.AddInt32("opcode", opcode);
	message.AddInt32("device", (int32)match.device);
	message.AddInt64("directory", (int64)match.directory);
	message.AddInt64("node", (int64)match.node);
	message.AddString("name", match.name.c_str());
	fOutgoing.push_back(message);
}


void
LiveQuery::_Deliver()
{
	std::vector<BMessage> outgoing;
	{
		std::lock_guard<std::mutex> lock(fLock);
		outgoing.swap(fOutgoing);
	}
	for (BMessage& message : outgoing)
		fTarget.SendMessage(&message, (BHandler*)NULL, kQueryUpdateSendTimeout);
}

} // namespace BPrivate

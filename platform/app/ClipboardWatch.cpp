#include "app/ClipboardWatch.h"

#include "app/RuntimeDirectory.h"

#include <Clipboard.h>
#include <Message.h>

#include <algorithm>

namespace BPrivate {

ClipboardWatch*
ClipboardWatch::Default()
{
	// Kept for the life of the process, as its thread is.
	static ClipboardWatch* stWatch = new ClipboardWatch;
	return stWatch;
}


ClipboardWatch::ClipboardWatch()
	:
	fWatch(-1)
{
}


status_t
ClipboardWatch::Add(const std::string& leaf, const BMessenger& target)
{
	if (!target.IsValid())
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> locker(fLock);
	status_t status = FollowDirectoryLocked();
	if (status != B_OK)
		return status;
	fWatchers.emplace_back(leaf, target);
	return B_OK;
}


status_t
ClipboardWatch::Remove(const std::string& leaf, const BMessenger& target)
{
	std::lock_guard<std::mutex> locker(fLock);
	auto found = std::find(fWatchers.begin(), fWatchers.end(), std::make_pair(leaf, target));
	if (found == fWatchers.end())
		return B_BAD_VALUE;
	fWatchers.erase(found);
	return B_OK;
}


// Follows the runtime directory as it is now: it changes only when tests point the kit
// at another one, and a watcher added then wants the new one.
status_t
ClipboardWatch::FollowDirectoryLocked()
{
	std::string directory;
	status_t status = runtime_directory(directory);
	if (status != B_OK)
		return status;
	if (!fLoop.IsRunning()) {
		status = fLoop.Start([this](const std::vector<const inotify_event*>& events) {
			for (const inotify_event* event : events) {
				if (event->len > 0)
					Notify(std::string(event->name));
			}
			return false;
		});
		if (status != B_OK)
			return status;
	}
	if (directory != fDirectory || fWatch < 0) {
		fLoop.RemoveWatch(fWatch);
		fWatch = fLoop.AddWatch(directory.c_str(), IN_MOVED_TO | IN_ONLYDIR | IN_DONT_FOLLOW);
		if (fWatch < 0)
			return fWatch;
		fDirectory = directory;
	}
	return B_OK;
}


void
ClipboardWatch::Notify(const std::string& leaf)
{
	std::vector<BMessenger> targets;
	{
		std::lock_guard<std::mutex> locker(fLock);
		for (const auto& watcher : fWatchers) {
			if (watcher.first == leaf)
				targets.push_back(watcher.second);
		}
	}
	// Never waits: a watcher whose queue is full misses this notice, not the others.
	for (const BMessenger& target : targets) {
		BMessage notice(B_CLIPBOARD_CHANGED);
		target.SendMessage(&notice, (BHandler*)NULL, 0);
	}
}

} // namespace BPrivate

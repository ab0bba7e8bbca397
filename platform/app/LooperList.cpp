#include "app/LooperList.h"

#include <chrono>
#include <vector>

namespace BPrivate {

status_t
LooperLock::Lock(bigtime_t timeout)
{
	thread_id self = find_thread(nullptr);
	std::unique_lock<std::mutex> lock(fMutex);
	if (fRetired)
		return B_BAD_VALUE;
	if (fOwner == self) {
		fCount++;
		return B_OK;
	}

	auto free = [this] { return fRetired || fOwner < 0; };
	fWaiting++;
	bool ready = true;
	if (timeout == B_INFINITE_TIMEOUT)
		fFree.wait(lock, free);
	else
		ready = fFree.wait_for(lock, std::chrono::microseconds(timeout), free);
	fWaiting--;
	if (fRetired)
		return B_BAD_VALUE;
	if (!ready)
		return timeout == 0 ? B_WOULD_BLOCK : B_TIMED_OUT;
	fOwner = self;
	fCount = 1;
	return B_OK;
}


void
LooperLock::Unlock()
{
	std::lock_guard<std::mutex> lock(fMutex);
	if (fOwner != find_thread(nullptr) || fCount <= 0)
		return;
	if (--fCount == 0) {
		fOwner = -1;
		fFree.notify_one();
	}
}


int32
LooperLock::UnlockFully()
{
	std::lock_guard<std::mutex> lock(fMutex);
	if (fOwner != find_thread(nullptr))
		return 0;
	int32 count = fCount;
	fCount = 0;
	fOwner = -1;
	fFree.notify_one();
	return count;
}


thread_id
LooperLock::Owner() const
{
	std::lock_guard<std::mutex> lock(fMutex);
	return fOwner;
}


int32
LooperLock::Count() const
{
	std::lock_guard<std::mutex> lock(fMutex);
	return fCount;
}


int32
LooperLock::Requests() const
{
	std::lock_guard<std::mutex> lock(fMutex);
	return fWaiting + fCount;
}


void
LooperLock::Retire()
{
	std::lock_guard<std::mutex> lock(fMutex);
	fRetired = true;
	fFree.notify_all();
}


namespace LooperList {

namespace {

struct Entry {
	BLooper*						looper;
	std::shared_ptr<LooperLock>		lock;
	BWindow*						window;
	port_id							port;
	thread_id						thread;
};

// The tables outlive static destruction: other threads may still use them while
// the process exits.
std::mutex stLock;
std::vector<Entry>& stEntries = *new std::vector<Entry>;


Entry*
find_entry(const BLooper* looper)
{
	for (Entry& entry : stEntries) {
		if (entry.looper == looper)
			return &entry;
	}
	return nullptr;
}

} // namespace


void
Add(BLooper* looper, port_id port)
{
	std::lock_guard<std::mutex> lock(stLock);
	stEntries.push_back({ looper, std::make_shared<LooperLock>(), nullptr, port, -1 });
}


void
SetThread(BLooper* looper, thread_id thread)
{
	std::lock_guard<std::mutex> lock(stLock);
	if (Entry* entry = find_entry(looper))
		entry->thread = thread;
}


void
Remove(BLooper* looper)
{
	std::shared_ptr<LooperLock> retired;
	{
		std::lock_guard<std::mutex> lock(stLock);
		for (auto it = stEntries.begin(); it != stEntries.end(); it++) {
			if (it->looper == looper) {
				retired = it->lock;
				stEntries.erase(it);
				break;
			}
		}
	}
	if (retired != nullptr)
		retired->Retire();
}


std::shared_ptr<LooperLock>
LockFor(const BLooper* looper)
{
	std::lock_guard<std::mutex> lock(stLock);
	Entry* entry = find_entry(looper);
	return entry != nullptr ? entry->lock : nullptr;
}


BLooper*
LooperForThread(thread_id thread)
{
	std::lock_guard<std::mutex> lock(stLock);
	for (const Entry& entry : stEntries) {
		if (entry.thread == thread)
			return entry.looper;
	}
	return nullptr;
}


BLooper*
LooperForPort(port_id port)
{
	std::lock_guard<std::mutex> lock(stLock);
	for (const Entry& entry : stEntries) {
		if (entry.port == port)
			return entry.looper;
	}
	return nullptr;
}


int32
CountLoopers()
{
	std::lock_guard<std::mutex> lock(stLock);
	return (int32)stEntries.size();
}


BLooper*
LooperAt(int32 index)
{
	std::lock_guard<std::mutex> lock(stLock);
	if (index < 0 || index >= (int32)stEntries.size())
		return nullptr;
	return stEntries[index].looper;
}


void
SetWindow(BLooper* looper, BWindow* window)
{
	std::lock_guard<std::mutex> lock(stLock);
	if (Entry* entry = find_entry(looper))
		entry->window = window;
}


int32
CountWindows()
{
	std::lock_guard<std::mutex> lock(stLock);
	int32 count = 0;
	for (const Entry& entry : stEntries)
		count += entry.window != nullptr ? 1 : 0;
	return count;
}


BWindow*
WindowAt(int32 index, BLooper** looper)
{
	std::lock_guard<std::mutex> lock(stLock);
	for (const Entry& entry : stEntries) {
		if (entry.window == nullptr)
			continue;
		if (index-- == 0) {
			if (looper != nullptr)
				*looper = entry.looper;
			return entry.window;
		}
	}
	if (looper != nullptr)
		*looper = nullptr;
	return nullptr;
}

} // namespace LooperList

} // namespace BPrivate

#include "app/LooperList.h"

#include <vector>

#include "support/Benaphore.h"

namespace BPrivate {

LooperLock::LooperLock()
	:
	fSemaphore(create_sem(0, "looper lock"))
{
}


LooperLock::~LooperLock()
{
	if (!fRetired)
		delete_sem(fSemaphore);
}


status_t
LooperLock::Lock(bigtime_t timeout)
{
	thread_id self = find_thread(nullptr);
	if (fRetired)
		return B_BAD_VALUE;
	if (fOwner.load(std::memory_order_relaxed) == self) {
		fCount++;
		return B_OK;
	}
	status_t status = benaphore_lock(fState, fSemaphore, timeout);
	if (status == B_OK && fRetired) {
		benaphore_unlock(fState, fSemaphore);
		return B_BAD_VALUE;
	}
	// A semaphore found gone retires the lock: no later Lock takes it either.
	if (status == B_BAD_SEM_ID) {
		fRetired = true;
		return B_BAD_VALUE;
	}
	if (status != B_OK)
		return status;
	fOwner.store(self, std::memory_order_relaxed);
	fCount.store(1, std::memory_order_relaxed);
	return B_OK;
}


void
LooperLock::Unlock()
{
	if (fOwner != find_thread(nullptr) || fCount <= 0)
		return;
	if (--fCount == 0) {
		fOwner.store(-1, std::memory_order_relaxed);
		if (benaphore_unlock(fState, fSemaphore) != B_OK)
			fRetired = true;
	}
}


int32
LooperLock::UnlockFully()
{
	if (fOwner != find_thread(nullptr))
		return 0;
	int32 count = fCount.exchange(0);
	fOwner.store(-1, std::memory_order_relaxed);
	benaphore_unlock(fState, fSemaphore);
	return count;
}


int32
LooperLock::Requests() const
{
	// The semaphore counts the threads waiting on it below zero.
	int32 available = 0;
	get_sem_count(fSemaphore, &available);
	return fCount + (available < 0 ? -available : 0);
}


void
LooperLock::Retire()
{
	if (!fRetired.exchange(true))
		delete_sem(fSemaphore);
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


port_id
WindowPort(port_id preferred)
{
	std::lock_guard<std::mutex> lock(stLock);
	port_id first = -1;
	for (const Entry& entry : stEntries) {
		if (entry.window == nullptr)
			continue;
		if (entry.port == preferred)
			return preferred;
		if (first < 0)
			first = entry.port;
	}
	return first;
}

} // namespace LooperList

} // namespace BPrivate

// Threads of the kit over POSIX threads. Every thread made by spawn_thread has a record
// holding its full name, priority and state; the record outlives the thread until someone
// waits for it, so that wait_for_thread after the thread ended still gets its value.
#include <OS.h>

#include "support/LoadedTeams.h"

#include <pthread.h>
#include <stdio.h>
#include <string.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace {

enum class ThreadState { kStarting, kSuspended, kRunning, kDead };

struct ThreadRecord {
	thread_id			id = -1;
	std::string			name;
	int32				priority = B_NORMAL_PRIORITY;
	thread_func			function = nullptr;
	void*				data = nullptr;
	ThreadState			state = ThreadState::kStarting;
	status_t			exitValue = B_OK;
};

// Dead threads nobody waited for are forgotten beyond this many, oldest first.
const size_t kMaxUnwaitedDead = 256;

// The tables outlive static destruction: other threads may still use them while
// the process exits.
std::mutex stLock;
std::condition_variable& stChanged = *new std::condition_variable;
std::map<thread_id, std::shared_ptr<ThreadRecord>>& stThreads
	= *new std::map<thread_id, std::shared_ptr<ThreadRecord>>;
std::deque<thread_id>& stDead = *new std::deque<thread_id>;


thread_id
current_tid()
{
	return (thread_id)syscall(SYS_gettid);
}


void
forget_dead(thread_id id)
{
	for (auto it = stDead.begin(); it != stDead.end(); it++) {
		if (*it == id) {
			stDead.erase(it);
			break;
		}
	}
}


void*
thread_start(void* argument)
{
	auto owner = static_cast<std::shared_ptr<ThreadRecord>*>(argument);
	std::shared_ptr<ThreadRecord> record = std::move(*owner);
	delete owner;

	std::unique_lock<std::mutex> lock(stLock);
	record->id = current_tid();
	record->state = ThreadState::kSuspended;
	stThreads[record->id] = record;
	stChanged.notify_all();
	stChanged.wait(lock, [&] { return record->state != ThreadState::kSuspended; });
	lock.unlock();

	// The operating system keeps at most 15 characters; the record keeps them all.
	char shortName[16];
	snprintf(shortName, sizeof(shortName), "%s", record->name.c_str());
	pthread_setname_np(pthread_self(), shortName);

	status_t result = record->function(record->data);

	lock.lock();
	record->exitValue = result;
	record->state = ThreadState::kDead;
	stDead.push_back(record->id);
	if (stDead.size() > kMaxUnwaitedDead) {
		stThreads.erase(stDead.front());
		stDead.pop_front();
	}
	stChanged.notify_all();
	return nullptr;
}


std::shared_ptr<ThreadRecord>
find_record(thread_id id)
{
	auto it = stThreads.find(id);
	return it == stThreads.end() ? nullptr : it->second;
}


// The operating system's name of a thread that the kit did not make.
bool
read_system_name(thread_id id, char* name, size_t size)
{
	char path[64];
	snprintf(path, sizeof(path), "/proc/self/task/%d/comm", (int)id);
	FILE* file = fopen(path, "re");
	if (file == nullptr)
		return false;
	bool found = fgets(name, (int)size, file) != nullptr;
	fclose(file);
	if (found)
		name[strcspn(name, "\n")] = '\0';
	return found;
}

} // namespace


thread_id
spawn_thread(thread_func function, const char* name, int32 priority, void* data)
{
	if (function == nullptr)
		return B_BAD_VALUE;

	auto record = std::make_shared<ThreadRecord>();
	record->name = name != nullptr ? name : "unnamed thread";
	record->priority = priority;
	record->function = function;
	record->data = data;

	pthread_attr_t attributes;
	pthread_attr_init(&attributes);
	pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
	pthread_t thread;
	auto argument = new std::shared_ptr<ThreadRecord>(record);
	int error = pthread_create(&thread, &attributes, thread_start, argument);
	pthread_attr_destroy(&attributes);
	if (error != 0) {
		delete argument;
		return B_NO_MORE_THREADS;
	}

	std::unique_lock<std::mutex> lock(stLock);
	stChanged.wait(lock, [&] { return record->state != ThreadState::kStarting; });
	return record->id;
}


status_t
resume_thread(thread_id id)
{
	std::unique_lock<std::mutex> lock(stLock);
	std::shared_ptr<ThreadRecord> record = find_record(id);
	if (record == nullptr) {
		lock.unlock();
		return BPrivate::resume_loaded_team(id);
	}
	if (record->state == ThreadState::kDead)
		return B_BAD_THREAD_ID;
	if (record->state != ThreadState::kSuspended)
		return B_BAD_THREAD_STATE;
	record->state = ThreadState::kRunning;
	stChanged.notify_all();
	return B_OK;
}


status_t
wait_for_thread(thread_id id, status_t* exitValue)
{
	if (id == current_tid())
		return B_BAD_THREAD_ID;

	std::unique_lock<std::mutex> lock(stLock);
	std::shared_ptr<ThreadRecord> record = find_record(id);
	if (record == nullptr) {
		lock.unlock();
		return BPrivate::wait_for_loaded_team(id, exitValue);
	}
	if (record->state == ThreadState::kSuspended) {
		record->state = ThreadState::kRunning;
		stChanged.notify_all();
	}
	stChanged.wait(lock, [&] { return record->state == ThreadState::kDead; });
	if (exitValue != nullptr)
		*exitValue = record->exitValue;
	if (stThreads.erase(id) > 0)
		forget_dead(id);
	return B_OK;
}


thread_id
find_thread(const char* name)
{
	if (name == nullptr)
		return current_tid();

	std::lock_guard<std::mutex> lock(stLock);
	for (const auto& [id, record] : stThreads) {
		if (record->state != ThreadState::kDead && record->name == name)
			return id;
	}
	return B_NAME_NOT_FOUND;
}


status_t
_get_thread_info(thread_id id, thread_info* info, size_t size)
{
	if (info == nullptr || size != sizeof(thread_info))
		return B_BAD_VALUE;

	memset(info, 0, sizeof(*info));
	info->thread = id;
	info->team = getpid();
	info->priority = B_NORMAL_PRIORITY;
	info->state = id == current_tid() ? B_THREAD_RUNNING : B_THREAD_WAITING;

	std::lock_guard<std::mutex> lock(stLock);
	std::shared_ptr<ThreadRecord> record = find_record(id);
	if (record != nullptr) {
		if (record->state == ThreadState::kDead)
			return B_BAD_THREAD_ID;
		snprintf(info->name, sizeof(info->name), "%s", record->name.c_str());
		info->priority = record->priority;
		if (record->state == ThreadState::kSuspended)
			info->state = B_THREAD_SUSPENDED;
		return B_OK;
	}
	if (!read_system_name(id, info->name, sizeof(info->name)))
		return B_BAD_THREAD_ID;
	return B_OK;
}

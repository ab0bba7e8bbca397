// Threads of the kit over POSIX threads. Every thread made by spawn_thread has a record
// holding its full name, priority and state; the record outlives the thread until someone
// waits for it, so that wait_for_thread after the thread ended still gets its value.
#include <OS.h>

#include "support/LoadedTeams.h"
#include "support/ProcFiles.h"
#include "support/ThreadControl.h"

#include <errno.h>
#include <fcntl.h>
#include <pthread.h>
#include <stdio.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>

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
	void*				stackBase = nullptr;
	void*				stackEnd = nullptr;
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
// Threads waited for, which Linux may still list for a moment after they ended; the oldest
// are forgotten beyond kMaxUnwaitedDead.
std::deque<thread_id>& stWaited = *new std::deque<thread_id>;


// The ids asked of the system once; a fork's child forgets those of its parent. Only the
// thread that forked lives on in the child, so its own cache is the only one to reset.
std::atomic<team_id> stTeam{-1};
thread_local thread_id tlThread = -1;
std::once_flag stForgetAtFork;


void
forget_ids()
{
	stTeam.store(-1, std::memory_order_relaxed);
	tlThread = -1;
}


void
watch_forks()
{
	std::call_once(stForgetAtFork, [] { pthread_atfork(NULL, NULL, forget_ids); });
}


thread_id
current_tid()
{
	return BPrivate::current_thread();
}


// The value exit_thread gives the calling thread's end.
thread_local bool tlExiting = false;
thread_local status_t tlExitValue = B_OK;


// Linux's nice value for a priority: the normal priority is nice 0, each step above or
// below one nice step; real-time priorities ask for the highest.
int
nice_for(int32 priority)
{
	if (priority <= B_IDLE_PRIORITY)
		return 19;
	if (priority >= B_REAL_TIME_DISPLAY_PRIORITY)
		return -20;
	return std::clamp(B_NORMAL_PRIORITY - priority, -20, 19);
}


int32
priority_for(int nice)
{
	return nice >= 19 ? B_IDLE_PRIORITY : std::max(B_NORMAL_PRIORITY - nice, 1);
}


void
current_stack(void** base, void** end)
{
	pthread_attr_t attributes;
	if (pthread_getattr_np(pthread_self(), &attributes) != 0)
		return;
	void* address = nullptr;
	size_t size = 0;
	if (pthread_attr_getstack(&attributes, &address, &size) == 0) {
		*base = address;
		*end = (char*)address + size;
	}
	pthread_attr_destroy(&attributes);
}


// Records the thread's end however it ends: by returning, or by exit_thread unwinding it.
struct ThreadEnd {
	std::shared_ptr<ThreadRecord>	record;
	status_t						result = B_OK;

	~ThreadEnd();
};


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

	void* stackBase = nullptr;
	void* stackEnd = nullptr;
	current_stack(&stackBase, &stackEnd);
	// Linux may refuse a priority above what the user may set; the thread then runs at
	// the highest it may, and keeps the priority asked for in its record.
	int nice = nice_for(record->priority);
	if (setpriority(PRIO_PROCESS, current_tid(), nice) != 0) {
		// The lowest nice value the user may set is 20 minus RLIMIT_NICE; a thread never
		// ends up below the priority it inherited.
		struct rlimit limit;
		errno = 0;
		int inherited = getpriority(PRIO_PROCESS, current_tid());
		if (errno == 0 && getrlimit(RLIMIT_NICE, &limit) == 0
			&& limit.rlim_cur != RLIM_INFINITY) {
			int lowest = std::max(nice, 20 - (int)limit.rlim_cur);
			if (lowest < inherited)
				setpriority(PRIO_PROCESS, current_tid(), lowest);
		}
	}

	std::unique_lock<std::mutex> lock(stLock);
	record->id = current_tid();
	record->stackBase = stackBase;
	record->stackEnd = stackEnd;
	record->state = ThreadState::kSuspended;
	stWaited.erase(std::remove(stWaited.begin(), stWaited.end(), record->id), stWaited.end());
	stThreads[record->id] = record;
	stChanged.notify_all();
	stChanged.wait(lock, [&] { return record->state != ThreadState::kSuspended; });
	lock.unlock();

	// The operating system keeps at most 15 characters; the record keeps them all.
	char shortName[16];
	snprintf(shortName, sizeof(shortName), "%s", record->name.c_str());
	pthread_setname_np(pthread_self(), shortName);

	ThreadEnd end;
	end.record = record;
	end.result = record->function(record->data);
	return nullptr;
}


ThreadEnd::~ThreadEnd()
{
	BPrivate::thread_exiting();
	std::lock_guard<std::mutex> lock(stLock);
	record->exitValue = tlExiting ? tlExitValue : result;
	record->state = ThreadState::kDead;
	stDead.push_back(record->id);
	if (stDead.size() > kMaxUnwaitedDead) {
		stThreads.erase(stDead.front());
		stDead.pop_front();
	}
	stChanged.notify_all();
}


std::shared_ptr<ThreadRecord>
find_record(thread_id id)
{
	auto it = stThreads.find(id);
	return it == stThreads.end() ? nullptr : it->second;
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
	if (record == nullptr || record->state == ThreadState::kRunning) {
		lock.unlock();
		if (BPrivate::is_team_thread(id))
			return BPrivate::resume_suspended_thread(id);
		return BPrivate::resume_loaded_team(id);
	}
	if (record->state == ThreadState::kDead)
		return B_BAD_THREAD_ID;
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
	if (stThreads.erase(id) > 0) {
		forget_dead(id);
		stWaited.push_back(id);
		if (stWaited.size() > kMaxUnwaitedDead)
			stWaited.pop_front();
	}
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


namespace {

thread_state
state_for(char state)
{
	switch (state) {
		case 'R':
			return B_THREAD_RUNNING;
		case 'T':
		case 't':
			return B_THREAD_SUSPENDED;
		case 'S':
			return B_THREAD_ASLEEP;
		default:
			return B_THREAD_WAITING;
	}
}


// A thread of another team, or one of this team that the kit did not make, as /proc
// describes it.
bool
fill_from_proc(team_id team, thread_id id, thread_info* info)
{
	BPrivate::TaskStat stat;
	if (!BPrivate::read_task_stat(team, id, &stat)
		|| !BPrivate::read_task_name(team, id, info->name, sizeof(info->name)))
		return false;
	info->thread = id;
	info->team = team;
	info->state = state_for(stat.state);
	info->priority = priority_for(stat.nice);
	info->user_time = stat.userTime;
	info->kernel_time = stat.kernelTime;
	return true;
}

} // namespace


status_t
_get_thread_info(thread_id id, thread_info* info, size_t size)
{
	if (info == nullptr || size != sizeof(thread_info))
		return B_BAD_VALUE;

	memset(info, 0, sizeof(*info));
	if (id <= 0 || BPrivate::is_ended_thread(id) || !fill_from_proc(getpid(), id, info))
		return B_BAD_THREAD_ID;
	if (id == current_tid()) {
		info->state = B_THREAD_RUNNING;
		current_stack(&info->stack_base, &info->stack_end);
	}
	if (BPrivate::is_thread_suspended(id))
		info->state = B_THREAD_SUSPENDED;

	std::lock_guard<std::mutex> lock(stLock);
	std::shared_ptr<ThreadRecord> record = find_record(id);
	if (record != nullptr) {
		if (record->state == ThreadState::kDead)
			return B_BAD_THREAD_ID;
		snprintf(info->name, sizeof(info->name), "%s", record->name.c_str());
		info->priority = record->priority;
		info->stack_base = record->stackBase;
		info->stack_end = record->stackEnd;
		if (record->state == ThreadState::kSuspended)
			info->state = B_THREAD_SUSPENDED;
	}
	return B_OK;
}


team_id
BPrivate::current_team()
{
	team_id team = stTeam.load(std::memory_order_relaxed);
	if (team < 0) {
		watch_forks();
		team = getpid();
		stTeam.store(team, std::memory_order_relaxed);
	}
	return team;
}


thread_id
BPrivate::current_thread()
{
	if (tlThread < 0) {
		watch_forks();
		tlThread = (thread_id)syscall(SYS_gettid);
	}
	return tlThread;
}


bool
BPrivate::is_ended_thread(thread_id id)
{
	std::lock_guard<std::mutex> lock(stLock);
	std::shared_ptr<ThreadRecord> record = find_record(id);
	if (record != nullptr)
		return record->state == ThreadState::kDead;
	return std::find(stWaited.begin(), stWaited.end(), id) != stWaited.end();
}


status_t
_get_next_thread_info(team_id team, int32* cookie, thread_info* info, size_t size)
{
	if (cookie == nullptr || info == nullptr || size != sizeof(thread_info))
		return B_BAD_VALUE;
	if (team == B_CURRENT_TEAM)
		team = getpid();
	if (!BPrivate::is_users_team(team))
		return B_BAD_TEAM_ID;
	// The cookie is the lowest id still to list, so threads that come and go meanwhile
	// neither repeat nor shift the others.
	for (pid_t thread : BPrivate::list_threads(team)) {
		if (thread < *cookie)
			continue;
		status_t status = B_BAD_THREAD_ID;
		if (team == getpid())
			status = _get_thread_info(thread, info, size);
		else {
			memset(info, 0, sizeof(*info));
			status = fill_from_proc(team, thread, info) ? B_OK : B_BAD_THREAD_ID;
		}
		if (status == B_OK) {
			*cookie = thread + 1;
			return B_OK;
		}
	}
	return B_BAD_VALUE;
}


status_t
rename_thread(thread_id id, const char* name)
{
	if (name == nullptr)
		return B_BAD_VALUE;
	if (!BPrivate::is_team_thread(id))
		return B_BAD_THREAD_ID;
	std::string fullName = std::string(name).substr(0, B_OS_NAME_LENGTH - 1);
	{
		std::lock_guard<std::mutex> lock(stLock);
		std::shared_ptr<ThreadRecord> record = find_record(id);
		if (record != nullptr)
			record->name = fullName;
	}
	// The operating system's copy, which other tools show, keeps the first 15 bytes.
	char path[64];
	snprintf(path, sizeof(path), "/proc/self/task/%d/comm", (int)id);
	int file = open(path, O_WRONLY | O_CLOEXEC);
	if (file >= 0) {
		std::string shortName = fullName.substr(0, 15);
		ssize_t written = write(file, shortName.c_str(), shortName.size());
		(void)written;
		close(file);
	}
	return B_OK;
}


status_t
set_thread_priority(thread_id id, int32 priority)
{
	if (priority < B_IDLE_PRIORITY || priority > B_REAL_TIME_PRIORITY)
		return B_BAD_VALUE;
	if (!BPrivate::is_team_thread(id))
		return B_BAD_THREAD_ID;
	errno = 0;
	int oldNice = getpriority(PRIO_PROCESS, id);
	int32 old = errno == 0 ? priority_for(oldNice) : B_NORMAL_PRIORITY;
	if (setpriority(PRIO_PROCESS, id, nice_for(priority)) != 0)
		return errno == ESRCH ? B_BAD_THREAD_ID : B_NOT_ALLOWED;
	std::lock_guard<std::mutex> lock(stLock);
	std::shared_ptr<ThreadRecord> record = find_record(id);
	if (record != nullptr) {
		old = record->priority;
		record->priority = priority;
	}
	return old;
}


void
exit_thread(status_t status)
{
	tlExiting = true;
	tlExitValue = status;
	pthread_exit(nullptr);
}

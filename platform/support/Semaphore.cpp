// Counting semaphores of the kernel kit, among the threads of one process.
#include <OS.h>

#include "support/Deadline.h"
#include "support/KernelCounts.h"
#include "support/ProcFiles.h"

#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace {

const bigtime_t kLongestWaitSlice = 3600000000LL;


struct Semaphore {
	std::string				name;
	int32					count = 0;
	// Units that waiting threads ask for; get_sem_count subtracts them.
	int32					waitingUnits = 0;
	bool					deleted = false;
	thread_id				latestHolder = -1;
	std::condition_variable	changed;
};

// The table outlives static destruction: other threads may still use it while the process
// exits.
std::mutex stLock;
std::map<sem_id, std::shared_ptr<Semaphore>>& stSemaphores
	= *new std::map<sem_id, std::shared_ptr<Semaphore>>;
sem_id stNextId = 1;


std::shared_ptr<Semaphore>
find_semaphore(sem_id id)
{
	auto found = stSemaphores.find(id);
	return found != stSemaphores.end() ? found->second : nullptr;
}

} // namespace


sem_id
create_sem(int32 count, const char* name)
{
	if (count < 0)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> locker(stLock);
	if (stSemaphores.size() >= (size_t)BPrivate::kMaxSemaphores)
		return B_NO_MORE_SEMS;
	auto semaphore = std::make_shared<Semaphore>();
	semaphore->name = std::string(name != NULL ? name : "unnamed semaphore")
		.substr(0, B_OS_NAME_LENGTH - 1);
	semaphore->count = count;
	// Ids are not reused soon, so a stale id does not reach a new semaphore.
	while (stSemaphores.count(stNextId) != 0 || stNextId <= 0)
		stNextId = stNextId <= 0 ? 1 : stNextId + 1;
	sem_id id = stNextId++;
	stSemaphores[id] = semaphore;
	return id;
}


status_t
delete_sem(sem_id id)
{
	std::lock_guard<std::mutex> locker(stLock);
	std::shared_ptr<Semaphore> semaphore = find_semaphore(id);
	if (semaphore == nullptr)
		return B_BAD_SEM_ID;
	stSemaphores.erase(id);
	semaphore->deleted = true;
	semaphore->changed.notify_all();
	return B_OK;
}


status_t
acquire_sem(sem_id id)
{
	return acquire_sem_etc(id, 1, 0, 0);
}


status_t
acquire_sem_etc(sem_id id, int32 count, uint32 flags, bigtime_t timeout)
{
	if (count <= 0)
		return B_BAD_VALUE;
	std::unique_lock<std::mutex> locker(stLock);
	std::shared_ptr<Semaphore> semaphore = find_semaphore(id);
	if (semaphore == nullptr)
		return B_BAD_SEM_ID;

	bigtime_t deadline = BPrivate::timeout_deadline(flags, timeout);
	bool limited = deadline != B_INFINITE_TIMEOUT;
	if (semaphore->count < count && limited && deadline <= system_time())
		return BPrivate::timeout_status(flags, timeout);

	semaphore->waitingUnits += count;
	status_t status = B_OK;
	while (!semaphore->deleted && semaphore->count < count) {
		if (!limited) {
			semaphore->changed.wait(locker);
			continue;
		}
		// Waits of at most kLongestWaitSlice at a time: the clock's nanoseconds would
		// overflow for a deadline centuries away.
		bigtime_t left = deadline - system_time();
		if (left <= 0) {
			status = B_TIMED_OUT;
			break;
		}
		semaphore->changed.wait_for(locker,
			std::chrono::microseconds(std::min(left, kLongestWaitSlice)));
	}
	semaphore->waitingUnits -= count;
	if (semaphore->deleted)
		return B_BAD_SEM_ID;
	if (status != B_OK)
		return status;
	semaphore->count -= count;
	semaphore->latestHolder = find_thread(NULL);
	return B_OK;
}


status_t
release_sem(sem_id id)
{
	return release_sem_etc(id, 1, 0);
}


status_t
release_sem_etc(sem_id id, int32 count, uint32 flags)
{
	if (count <= 0 && (flags & B_RELEASE_ALL) == 0)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> locker(stLock);
	std::shared_ptr<Semaphore> semaphore = find_semaphore(id);
	if (semaphore == nullptr)
		return B_BAD_SEM_ID;
	if ((flags & B_RELEASE_IF_WAITING_ONLY) != 0 && semaphore->waitingUnits == 0)
		return B_OK;
	if ((flags & B_RELEASE_ALL) != 0)
		count = semaphore->waitingUnits - semaphore->count;
	if (count <= 0)
		return B_OK;
	semaphore->count += count;
	semaphore->changed.notify_all();
	return B_OK;
}


status_t
get_sem_count(sem_id id, int32* count)
{
	if (count == NULL)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> locker(stLock);
	std::shared_ptr<Semaphore> semaphore = find_semaphore(id);
	if (semaphore == nullptr)
		return B_BAD_SEM_ID;
	*count = semaphore->count - semaphore->waitingUnits;
	return B_OK;
}


status_t
_get_sem_info(sem_id id, sem_info* info, size_t size)
{
	if (info == NULL || size != sizeof(sem_info))
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> locker(stLock);
	std::shared_ptr<Semaphore> semaphore = find_semaphore(id);
	if (semaphore == nullptr)
		return B_BAD_SEM_ID;
	info->sem = id;
	info->team = getpid();
	strncpy(info->name, semaphore->name.c_str(), sizeof(info->name));
	info->name[sizeof(info->name) - 1] = '\0';
	info->count = semaphore->count - semaphore->waitingUnits;
	info->latest_holder = semaphore->latestHolder;
	return B_OK;
}


status_t
_get_next_sem_info(team_id team, int32* cookie, sem_info* info, size_t size)
{
	if (cookie == NULL || info == NULL || size != sizeof(sem_info))
		return B_BAD_VALUE;
	if (team != B_CURRENT_TEAM && team != getpid())
		return B_BAD_TEAM_ID;
	sem_id next;
	{
		// The cookie is the lowest id still to list.
		std::lock_guard<std::mutex> locker(stLock);
		auto found = stSemaphores.lower_bound(*cookie);
		if (found == stSemaphores.end())
			return B_BAD_VALUE;
		next = found->first;
	}
	*cookie = next + 1;
	status_t status = _get_sem_info(next, info, size);
	// Deleted meanwhile: the next one.
	return status == B_OK ? B_OK : _get_next_sem_info(team, cookie, info, size);
}


status_t
set_sem_owner(sem_id id, team_id team)
{
	if (team != B_CURRENT_TEAM && team != getpid())
		return BPrivate::is_users_team(team) ? B_NOT_ALLOWED : B_BAD_TEAM_ID;
	std::lock_guard<std::mutex> locker(stLock);
	return find_semaphore(id) != nullptr ? B_OK : B_BAD_SEM_ID;
}


int32
BPrivate::semaphore_count()
{
	std::lock_guard<std::mutex> locker(stLock);
	return stSemaphores.size();
}

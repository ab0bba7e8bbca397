#include "TeamWatch.h"

#include <errno.h>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/syscall.h>
#include <unistd.h>


namespace {

// What the thread uses; never freed, since the thread never ends.
struct WatchThread {
	int		epollFD;
	void	(*hook)(team_id team);
};


status_t
watch_thread(void* data)
{
	const WatchThread& watch = *static_cast<WatchThread*>(data);
	epoll_event events[16];
	for (;;) {
		int count = epoll_wait(watch.epollFD, events, 16, -1);
		if (count < 0 && errno != EINTR)
			return B_ERROR;
		for (int i = 0; i < count; i++)
			watch.hook((team_id)events[i].data.u64);
	}
}

} // namespace


TeamWatch::TeamWatch(void (*hook)(team_id team))
	:
	fHook(hook)
{
}


TeamWatch::~TeamWatch()
{
	for (const auto& [team, fd] : fDescriptors)
		close(fd);
}


status_t
TeamWatch::Start()
{
	fEpollFD = epoll_create1(EPOLL_CLOEXEC);
	if (fEpollFD < 0)
		return B_NO_MORE_FDS;
	WatchThread* shared = new WatchThread{ fEpollFD, fHook };
	thread_id thread = spawn_thread(watch_thread, "team watch", B_NORMAL_PRIORITY, shared);
	if (thread < 0) {
		delete shared;
		return thread;
	}
	return resume_thread(thread);
}


status_t
TeamWatch::Add(team_id team)
{
	if (fDescriptors.count(team) != 0)
		return B_OK;
	// Close-on-exec already.
	int fd = (int)syscall(SYS_pidfd_open, team, 0);
	if (fd < 0)
		return errno == ESRCH ? B_BAD_TEAM_ID : B_OK;
	// Once: a process that has ended stays readable until the record goes.
	epoll_event event = {};
	event.events = EPOLLIN | EPOLLONESHOT;
	event.data.u64 = (uint64)team;
	if (fEpollFD < 0 || epoll_ctl(fEpollFD, EPOLL_CTL_ADD, fd, &event) != 0) {
		close(fd);
		return B_OK;
	}
	fDescriptors[team] = fd;
	return B_OK;
}


void
TeamWatch::Remove(team_id team)
{
	auto it = fDescriptors.find(team);
	if (it == fDescriptors.end())
		return;
	// Closing the only descriptor takes it out of the epoll set as well.
	close(it->second);
	fDescriptors.erase(it);
}


bool
TeamWatch::HasEnded(team_id team) const
{
	auto it = fDescriptors.find(team);
	if (it == fDescriptors.end())
		return false;
	pollfd entry = { it->second, POLLIN, 0 };
	return poll(&entry, 1, 0) > 0;
}

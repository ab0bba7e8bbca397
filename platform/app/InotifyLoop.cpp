#include "InotifyLoop.h"

#include "storage/StorageErrors.h"

#include <errno.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <utility>

namespace BPrivate {

namespace {

// Room for many events at once; the kernel never splits one across reads.
const size_t kEventBufferSize = 64 * 1024;

} // namespace


InotifyLoop::InotifyLoop()
	:
	fInotify(-1),
	fWake(-1),
	fFileToPoll(-1)
{
}


InotifyLoop::~InotifyLoop()
{
	Stop();
}


status_t
InotifyLoop::Start(BatchHook batchHook, int fileToPoll, FileHook fileHook)
{
	if (IsRunning())
		return B_OK;
	fInotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
	if (fInotify < 0)
		return status_for_errno(errno);
	fWake = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
	if (fWake < 0) {
		status_t status = status_for_errno(errno);
		close(fInotify);
		fInotify = -1;
		return status;
	}
	fBatchHook = std::move(batchHook);
	fFileToPoll = fileToPoll;
	fFileHook = std::move(fileHook);
	fThread = std::thread(&InotifyLoop::_Run, this);
	return B_OK;
}


void
InotifyLoop::Stop()
{
	if (fThread.joinable()) {
		uint64_t one = 1;
		ssize_t written = write(fWake, &one, sizeof(one));
		(void)written;
		fThread.join();
	}
	if (fInotify >= 0)
		close(fInotify);
	if (fWake >= 0)
		close(fWake);
	fInotify = fWake = -1;
	fFileToPoll = -1;
	fBatchHook = BatchHook();
	fFileHook = FileHook();
}


int
InotifyLoop::AddWatch(const char* path, uint32 mask)
{
	if (fInotify < 0)
		return B_NO_INIT;
	int descriptor = inotify_add_watch(fInotify, path, mask);
	if (descriptor < 0)
		return errno == ENOSPC ? B_NO_MEMORY : status_for_errno(errno);
	return descriptor;
}


void
InotifyLoop::RemoveWatch(int descriptor)
{
	if (fInotify >= 0 && descriptor >= 0)
		inotify_rm_watch(fInotify, descriptor);
}


void
InotifyLoop::_Run()
{
	std::vector<char> buffer(kEventBufferSize);
	bool waitingForPair = false;
	while (true) {
		struct pollfd files[3] = {
			{fWake, POLLIN, 0},
			{fInotify, POLLIN, 0},
			{fFileToPoll, POLLPRI, 0}
		};
		int count = fFileToPoll >= 0 ? 3 : 2;
		int timeout = waitingForPair ? (int)(kRenamePairWait / 1000) : -1;
		int ready = poll(files, count, timeout);
		if (ready < 0) {
			if (errno == EINTR)
				continue;
			return;
		}
		if ((files[0].revents & POLLIN) != 0)
			return;
		if (ready == 0) {
			waitingForPair = fBatchHook({});
			continue;
		}
		if (count == 3 && (files[2].revents & (POLLPRI | POLLERR)) != 0 && fFileHook)
			fFileHook();
		if ((files[1].revents & POLLIN) == 0)
			continue;
		ssize_t length = read(fInotify, buffer.data(), buffer.size());
		if (length <= 0)
			continue;
		std::vector<const inotify_event*> batch;
		for (ssize_t offset = 0; offset + (ssize_t)sizeof(inotify_event) <= length;) {
			const inotify_event* event
				= reinterpret_cast<const inotify_event*>(buffer.data() + offset);
			// The kernel never sends a name past the read; a record that says so ends
			// the batch rather than be read beyond it.
			if (offset + (ssize_t)(sizeof(inotify_event) + event->len) > length)
				break;
			batch.push_back(event);
			offset += sizeof(inotify_event) + event->len;
		}
		waitingForPair = fBatchHook(batch);
	}
}

} // namespace BPrivate

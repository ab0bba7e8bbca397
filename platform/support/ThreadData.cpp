// send_data, receive_data and has_data: each thread of this team has a mailbox for one
// message. A sender waits while the mailbox is full, and gives up when the thread ends.
#include <OS.h>

#include "support/ThreadControl.h"

#include <string.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace {

// How often a waiting sender looks whether the receiving thread is still alive.
const bigtime_t kThreadAliveCheckInterval = 100000;

struct Mailbox {
	bool				full = false;
	int32				code = 0;
	thread_id			sender = -1;
	std::vector<char>	data;
	std::condition_variable changed;
};

std::mutex stLock;
std::map<thread_id, std::shared_ptr<Mailbox>>& stMailboxes
	= *new std::map<thread_id, std::shared_ptr<Mailbox>>;


// Under stLock.
std::shared_ptr<Mailbox>
mailbox_of(thread_id thread)
{
	std::shared_ptr<Mailbox>& mailbox = stMailboxes[thread];
	if (mailbox == nullptr)
		mailbox = std::make_shared<Mailbox>();
	return mailbox;
}

} // namespace


status_t
send_data(thread_id thread, int32 code, const void* buffer, size_t bufferSize)
{
	if (bufferSize > B_MAX_THREAD_DATA_SIZE || (buffer == nullptr && bufferSize > 0))
		return B_BAD_VALUE;
	if (!BPrivate::is_team_thread(thread))
		return B_BAD_THREAD_ID;
	std::unique_lock<std::mutex> lock(stLock);
	std::shared_ptr<Mailbox> mailbox = mailbox_of(thread);
	while (mailbox->full) {
		mailbox->changed.wait_for(lock, std::chrono::microseconds(kThreadAliveCheckInterval));
		if (mailbox->full && !BPrivate::is_team_thread(thread)) {
			stMailboxes.erase(thread);
			return B_BAD_THREAD_ID;
		}
	}
	mailbox->full = true;
	mailbox->code = code;
	mailbox->sender = find_thread(nullptr);
	mailbox->data.assign((const char*)buffer, (const char*)buffer + bufferSize);
	mailbox->changed.notify_all();
	return B_OK;
}


int32
receive_data(thread_id* sender, void* buffer, size_t bufferSize)
{
	std::unique_lock<std::mutex> lock(stLock);
	std::shared_ptr<Mailbox> mailbox = mailbox_of(find_thread(nullptr));
	mailbox->changed.wait(lock, [&] { return mailbox->full; });
	if (buffer != nullptr)
		memcpy(buffer, mailbox->data.data(), std::min(bufferSize, mailbox->data.size()));
	if (sender != nullptr)
		*sender = mailbox->sender;
	int32 code = mailbox->code;
	mailbox->full = false;
	mailbox->data.clear();
	mailbox->changed.notify_all();
	return code;
}


bool
has_data(thread_id thread)
{
	std::lock_guard<std::mutex> lock(stLock);
	auto found = stMailboxes.find(thread);
	return found != stMailboxes.end() && found->second->full;
}


namespace BPrivate {

void
forget_thread_data(thread_id thread)
{
	std::lock_guard<std::mutex> lock(stLock);
	auto found = stMailboxes.find(thread);
	if (found == stMailboxes.end())
		return;
	// A sender waiting for the mailbox sees the thread gone at its next look.
	found->second->changed.notify_all();
	stMailboxes.erase(found);
}

} // namespace BPrivate

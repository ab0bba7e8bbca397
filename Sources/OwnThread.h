// Starts a job object on a thread of its own: the thread calls Work on it, then deletes
// it. Values, frames and edits run this way so that the window thread never waits on a
// target.
#ifndef OWN_THREAD_H
#define OWN_THREAD_H

#include <OS.h>

// The job belongs to the thread once it starts; when no thread can be made it is deleted
// at once and the error returned.
template<auto Work, class Job>
thread_id
start_own_thread(Job* job, const char* name)
{
	thread_id thread = spawn_thread([](void* data) -> status_t {
			Job* job = static_cast<Job*>(data);
			(job->*Work)();
			delete job;
			return B_OK;
		}, name, B_NORMAL_PRIORITY, job);
	if (thread < 0) {
		delete job;
		return thread;
	}
	resume_thread(thread);
	return thread;
}

#endif // OWN_THREAD_H

// What the thread calls of the kit share: suspension of running threads, the data handed
// to threads, and what runs when a thread ends.
#ifndef _THREAD_CONTROL_H
#define _THREAD_CONTROL_H

#include <OS.h>

namespace BPrivate {

// A thread of this team suspended by suspend_thread (not one spawned and never resumed).
bool is_thread_suspended(thread_id thread);
// B_BAD_THREAD_STATE when the thread was not suspended.
status_t resume_suspended_thread(thread_id thread);
// Whether the thread is a live thread of this team.
bool is_team_thread(thread_id thread);
// Whether the thread is one the kit made that has ended, though Linux may list it still.
bool is_ended_thread(thread_id thread);

// The calling process's and thread's ids, asked of the system once (and again in the child
// of a fork): the messaging asks for them around every message.
team_id current_team();
thread_id current_thread();

// Runs the calling thread's on_exit_thread callbacks and drops the data sent to it.
void thread_exiting();

} // namespace BPrivate

#endif // _THREAD_CONTROL_H

// Kernel services of the kit: threads, time and the identity of the running team.
//
// A team is a process (team_id is the process id); a thread_id is the operating system's
// thread id, so the main thread's id equals its team's. Threads made by spawn_thread start
// suspended and keep their full name, of which the operating system holds only a
// shortened copy.
#ifndef _OS_H
#define _OS_H

#include <SupportDefs.h>

#define B_OS_NAME_LENGTH		32
#define B_INFINITE_TIMEOUT		((bigtime_t)0x7fffffffffffffffLL)

// Thread priorities. The kit records them; the Linux scheduler is not asked for them.
#define B_IDLE_PRIORITY					0
#define B_LOWEST_ACTIVE_PRIORITY		1
#define B_LOW_PRIORITY					5
#define B_NORMAL_PRIORITY				10
#define B_DISPLAY_PRIORITY				15
#define B_URGENT_DISPLAY_PRIORITY		20
#define B_REAL_TIME_DISPLAY_PRIORITY	100
#define B_URGENT_PRIORITY				110
#define B_REAL_TIME_PRIORITY			120

typedef enum {
	B_THREAD_RUNNING = 1,
	B_THREAD_READY,
	B_THREAD_RECEIVING,
	B_THREAD_ASLEEP,
	B_THREAD_SUSPENDED,
	B_THREAD_WAITING
} thread_state;

typedef struct {
	thread_id		thread;
	team_id			team;
	char			name[B_OS_NAME_LENGTH];
	thread_state	state;
	int32			priority;
	sem_id			sem;
	bigtime_t		user_time;
	bigtime_t		kernel_time;
	void*			stack_base;
	void*			stack_end;
} thread_info;

typedef status_t (*thread_func)(void* data);
#define thread_entry thread_func

#ifdef __cplusplus
extern "C" {
#endif

// Makes a suspended thread running func(data); resume_thread starts it. Returns the new
// thread's id or an error (B_BAD_VALUE for a null function, B_NO_MORE_THREADS).
thread_id spawn_thread(thread_func func, const char* name, int32 priority, void* data);
status_t resume_thread(thread_id thread);
// Waits for the thread to end and stores its return value in *exitValue (may be null).
// A thread that was never resumed is resumed first.
status_t wait_for_thread(thread_id thread, status_t* exitValue);
// With a null name, the calling thread; otherwise the first thread of this team with that
// full name, or B_NAME_NOT_FOUND.
thread_id find_thread(const char* name);

#define get_thread_info(thread, info) _get_thread_info((thread), (info), sizeof(*(info)))
status_t _get_thread_info(thread_id thread, thread_info* info, size_t size);

status_t snooze(bigtime_t amount);

// Microseconds of a monotonic clock.
bigtime_t system_time(void);

#ifdef __cplusplus
}
#endif

#endif // _OS_H

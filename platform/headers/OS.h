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

// Flags of acquire_sem_etc and release_sem_etc.
enum {
	B_CAN_INTERRUPT			= 0x01,
	B_CHECK_PERMISSION		= 0x04,
	B_TIMEOUT				= 0x08,
	B_RELATIVE_TIMEOUT		= 0x08,
	B_ABSOLUTE_TIMEOUT		= 0x10,
	B_DO_NOT_RESCHEDULE		= 0x02,
	B_RELEASE_ALL			= 0x08,
	B_RELEASE_IF_WAITING_ONLY = 0x10
};

typedef struct {
	sem_id			sem;
	team_id			team;
	char			name[B_OS_NAME_LENGTH];
	int32			count;
	thread_id		latest_holder;
} sem_info;

#define B_MAX_CPU_COUNT			64

typedef struct {
	bigtime_t		active_time;
} cpu_info;

// What the system is made of: pages of memory, processes (teams) of the machine, and the
// semaphores and threads of this process (docs/kernel.md).
typedef struct {
	bigtime_t		boot_time;
	int32			cpu_count;
	int64			max_pages;
	int64			used_pages;
	int32			page_size;
	int32			max_sems;
	int32			used_sems;
	int32			max_ports;
	int32			used_ports;
	int32			max_threads;
	int32			used_threads;
	int32			max_teams;
	int32			used_teams;
	char			kernel_name[B_OS_NAME_LENGTH];
	char			kernel_build_date[B_OS_NAME_LENGTH];
	char			kernel_build_time[B_OS_NAME_LENGTH];
	int64			kernel_version;
	cpu_info		cpu_infos[B_MAX_CPU_COUNT];
} system_info;

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

// Counting semaphores among the threads of this process (docs/kernel.md): a sem_id means
// nothing to another process. acquire_sem_etc takes count units, waiting while there are
// not enough: with B_RELATIVE_TIMEOUT at most timeout microseconds (B_WOULD_BLOCK for 0,
// B_TIMED_OUT when it passes), with B_ABSOLUTE_TIMEOUT until system_time() reaches it.
// Deleting a semaphore wakes its waiters with B_BAD_SEM_ID.
sem_id create_sem(int32 count, const char* name);
status_t delete_sem(sem_id sem);
status_t acquire_sem(sem_id sem);
status_t acquire_sem_etc(sem_id sem, int32 count, uint32 flags, bigtime_t timeout);
status_t release_sem(sem_id sem);
status_t release_sem_etc(sem_id sem, int32 count, uint32 flags);
// The count: negative when threads wait, by the units they wait for.
status_t get_sem_count(sem_id sem, int32* count);
#define get_sem_info(sem, info) _get_sem_info((sem), (info), sizeof(*(info)))
status_t _get_sem_info(sem_id sem, sem_info* info, size_t size);

#define get_system_info(info) _get_system_info((info), sizeof(*(info)))
status_t _get_system_info(system_info* info, size_t size);

// Reports message on standard error and stops the team: with a debugger attached it
// traps into it (and returns when the debugger continues), otherwise it aborts, leaving
// a core file where the system keeps them.
void debugger(const char* message);

#ifdef __cplusplus
}
#endif

#endif // _OS_H

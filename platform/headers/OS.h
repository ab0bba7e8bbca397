// Kernel services of the kit: threads, time and the identity of the running team.
//
// A team is a process (team_id is the process id); a thread_id is the operating system's
// thread id, so the main thread's id equals its team's. Threads made by spawn_thread start
// suspended and keep their full name, of which the operating system holds only a
// shortened copy.
#ifndef _OS_H
#define _OS_H

#include <SupportDefs.h>

#include <sys/types.h>

#define B_OS_NAME_LENGTH		32
#define B_PAGE_SIZE				4096
#define B_INFINITE_TIMEOUT		((bigtime_t)0x7fffffffffffffffLL)
// The team of the caller, where a call takes a team.
#define B_CURRENT_TEAM			0
#define B_SYSTEM_TEAM			1

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

// A team is a process of this machine; the kit describes those of the user running it.
typedef struct {
	team_id			team;
	int32			thread_count;
	int32			image_count;
	int32			area_count;
	thread_id		debugger_nub_thread;
	port_id			debugger_nub_port;
	int32			argc;
	char			args[64];
	uid_t			uid;
	gid_t			gid;
} team_info;

typedef struct {
	bigtime_t		user_time;
	bigtime_t		kernel_time;
} team_usage_info;

enum {
	B_TEAM_USAGE_SELF		= 0,
	B_TEAM_USAGE_CHILDREN	= -1
};

// Areas: memory that teams of one user share (docs/kernel.md).
typedef struct area_info {
	area_id			area;
	char			name[B_OS_NAME_LENGTH];
	size_t			size;
	uint32			lock;
	uint32			protection;
	team_id			team;
	uint32			ram_size;
	uint32			copy_count;
	uint32			in_count;
	uint32			out_count;
	// Where the area lies in its team's address space.
	void*			address;
} area_info;

// How an area's memory is held.
#define B_NO_LOCK				0
#define B_LAZY_LOCK				1
#define B_FULL_LOCK				2
#define B_CONTIGUOUS			3
#define B_LOMEM					4

// Where create_area and clone_area place it.
#define B_ANY_ADDRESS			0
#define B_EXACT_ADDRESS			1
#define B_BASE_ADDRESS			2
#define B_CLONE_ADDRESS			3
#define B_ANY_KERNEL_ADDRESS	4

// What the team may do with it.
#define B_READ_AREA				1
#define B_WRITE_AREA			2

// Ports: queues of messages, each a code and a buffer, that the teams of one user share
// (docs/kernel.md).
typedef struct port_info {
	port_id			port;
	team_id			team;
	char			name[B_OS_NAME_LENGTH];
	// Messages it holds at most, holds now, and has given to readers.
	int32			capacity;
	int32			queue_count;
	int32			total_count;
} port_info;


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

// Threads (docs/kernel.md).
status_t rename_thread(thread_id thread, const char* newName);
// Sets the priority and returns the previous one; B_NOT_ALLOWED for a priority above what
// this user may give.
status_t set_thread_priority(thread_id thread, int32 newPriority);
// Stops a running thread until resume_thread; a thread may suspend itself.
status_t suspend_thread(thread_id thread);
// Ends the thread at once, without unwinding it (only threads of this team).
status_t kill_thread(thread_id thread);
// Ends the calling thread with that value, after its exit callbacks.
void exit_thread(status_t status);
// Calls callback(data) when the calling thread ends, the latest registered first.
status_t on_exit_thread(void (*callback)(void*), void* data);
// Hands code and up to B_MAX_THREAD_DATA_SIZE bytes to the thread, waiting while it has
// not received the previous ones; receive_data waits for them and returns the code.
#define B_MAX_THREAD_DATA_SIZE		(64 * 1024)
status_t send_data(thread_id thread, int32 code, const void* buffer, size_t bufferSize);
int32 receive_data(thread_id* sender, void* buffer, size_t bufferSize);
bool has_data(thread_id thread);
// Sleeps until system_time() (B_SYSTEM_TIMEBASE) reaches the time.
#define B_SYSTEM_TIMEBASE			0
status_t snooze_until(bigtime_t time, int timeBase);
status_t snooze_etc(bigtime_t amount, int timeBase, uint32 flags);
#define get_next_thread_info(team, cookie, info) \
	_get_next_thread_info((team), (cookie), (info), sizeof(*(info)))
status_t _get_next_thread_info(team_id team, int32* cookie, thread_info* info,
	size_t size);

// Teams of the user: a team of another user is B_BAD_TEAM_ID.
#define get_team_info(team, info) _get_team_info((team), (info), sizeof(*(info)))
#define get_next_team_info(cookie, info) \
	_get_next_team_info((cookie), (info), sizeof(*(info)))
#define get_team_usage_info(team, who, info) \
	_get_team_usage_info((team), (who), (info), sizeof(*(info)))
status_t _get_team_info(team_id team, team_info* info, size_t size);
status_t _get_next_team_info(int32* cookie, team_info* info, size_t size);
status_t _get_team_usage_info(team_id team, int32 who, team_usage_info* info, size_t size);
status_t kill_team(team_id team);

#define get_next_sem_info(team, cookie, info) \
	_get_next_sem_info((team), (cookie), (info), sizeof(*(info)))
status_t _get_next_sem_info(team_id team, int32* cookie, sem_info* info, size_t size);
status_t set_sem_owner(sem_id sem, team_id team);

// A new area of size bytes (a multiple of B_PAGE_SIZE) at *startAddress as addressSpec
// says; *startAddress receives where it lies. Its id, or B_BAD_VALUE, B_NO_MEMORY.
area_id create_area(const char* name, void** startAddress, uint32 addressSpec, size_t size,
	uint32 lock, uint32 protection);
// A new area of this team that shares the memory of the area source, which any team of
// the user may own.
area_id clone_area(const char* name, void** destAddress, uint32 addressSpec,
	uint32 protection, area_id source);
// The area of the user's teams with that name (the oldest), or B_NAME_NOT_FOUND.
area_id find_area(const char* name);
// The area of this team that holds address, or B_ERROR.
area_id area_for(void* address);
// Of this team's areas only.
status_t delete_area(area_id area);
status_t resize_area(area_id area, size_t newSize);
status_t set_area_protection(area_id area, uint32 newProtection);
#define get_area_info(area, info) _get_area_info((area), (info), sizeof(*(info)))
status_t _get_area_info(area_id area, area_info* info, size_t size);
#define get_next_area_info(team, cookie, info) \
	_get_next_area_info((team), (cookie), (info), sizeof(*(info)))
status_t _get_next_area_info(team_id team, int32* cookie, area_info* info, size_t size);

// A port holding up to capacity messages (1 to 4096; B_BAD_VALUE otherwise), owned by this
// team. Its id, or B_NO_MORE_PORTS.
port_id create_port(int32 capacity, const char* name);
// The port of the user's teams with that name (the lowest id), or B_NAME_NOT_FOUND.
port_id find_port(const char* name);
// Queues code and bufferSize bytes (at most 256 KB), waiting while the port is full: with
// B_RELATIVE_TIMEOUT (B_TIMEOUT) at most timeout microseconds (B_WOULD_BLOCK for 0,
// B_TIMED_OUT when it passes), with B_ABSOLUTE_TIMEOUT until system_time() reaches it.
// B_BAD_PORT_ID for a port closed or deleted, also while waiting.
status_t write_port(port_id port, int32 code, const void* buffer, size_t bufferSize);
status_t write_port_etc(port_id port, int32 code, const void* buffer, size_t bufferSize,
	uint32 flags, bigtime_t timeout);
// Takes the oldest message, waiting while there is none, and copies up to bufferSize
// bytes of it to buffer (the rest is dropped); the bytes copied. B_BAD_PORT_ID for a port
// deleted, or closed and empty.
ssize_t read_port(port_id port, int32* code, void* buffer, size_t bufferSize);
ssize_t read_port_etc(port_id port, int32* code, void* buffer, size_t bufferSize,
	uint32 flags, bigtime_t timeout);
// The size of the oldest message, waiting as read_port does.
ssize_t port_buffer_size(port_id port);
ssize_t port_buffer_size_etc(port_id port, uint32 flags, bigtime_t timeout);
// The messages the port holds.
ssize_t port_count(port_id port);
// Refuses writers from now on; readers take what it holds. Only the port's owner closes,
// deletes or gives it away (B_NOT_ALLOWED for others).
status_t close_port(port_id port);
// Ends the port: its waiters and later calls get B_BAD_PORT_ID. A port ends with its
// owner too.
status_t delete_port(port_id port);
// Makes team (a living team of the user, else B_BAD_TEAM_ID) the port's owner.
status_t set_port_owner(port_id port, team_id team);
#define get_port_info(port, info) _get_port_info((port), (info), sizeof(*(info)))
status_t _get_port_info(port_id port, port_info* info, size_t size);
// The team's ports by id (team 0: this one); B_BAD_PORT_ID after the last.
#define get_next_port_info(team, cookie, info) \
	_get_next_port_info((team), (cookie), (info), sizeof(*(info)))
status_t _get_next_port_info(team_id team, int32* cookie, port_info* info, size_t size);

// Seconds since 1970 by the machine's clock, and in microseconds.
uint32 real_time_clock(void);
bigtime_t real_time_clock_usecs(void);
// Setting the machine's clock takes a privilege users do not have: B_NOT_ALLOWED.
void set_real_time_clock(uint32 secsSinceJan1st1970);
// Whether the team's debugger() stops into a debugger (0) or only prints and ends the
// team (1); returns the previous setting.
int disable_debugger(int state);

// Reports message on standard error and stops the team: with a debugger attached it
// traps into it (and returns when the debugger continues), otherwise it aborts, leaving
// a core file where the system keeps them.
void debugger(const char* message);

#ifdef __cplusplus
}

// The platform's int32 was a long: code written for it passes long cookies, which these
// take (what a cookie holds fits an int32).
template<typename Call>
inline status_t
_call_with_long_cookie(long* cookie, Call call)
{
	if (cookie == NULL)
		return B_BAD_VALUE;
	int32 value = (int32)*cookie;
	status_t status = call(&value);
	*cookie = value;
	return status;
}

inline status_t
_get_next_thread_info(team_id team, long* cookie, thread_info* info, size_t size)
{
	return _call_with_long_cookie(cookie,
		[&](int32* value) { return _get_next_thread_info(team, value, info, size); });
}

inline status_t
_get_next_team_info(long* cookie, team_info* info, size_t size)
{
	return _call_with_long_cookie(cookie,
		[&](int32* value) { return _get_next_team_info(value, info, size); });
}

inline status_t
_get_next_sem_info(team_id team, long* cookie, sem_info* info, size_t size)
{
	return _call_with_long_cookie(cookie,
		[&](int32* value) { return _get_next_sem_info(team, value, info, size); });
}

inline status_t
_get_next_area_info(team_id team, long* cookie, area_info* info, size_t size)
{
	return _call_with_long_cookie(cookie,
		[&](int32* value) { return _get_next_area_info(team, value, info, size); });
}

inline status_t
_get_next_port_info(team_id team, long* cookie, port_info* info, size_t size)
{
	return _call_with_long_cookie(cookie,
		[&](int32* value) { return _get_next_port_info(team, value, info, size); });
}
#endif

#endif // _OS_H

// get_system_info from what Linux tells about the machine.
#include <OS.h>

#include "support/KernelCounts.h"

#include <dirent.h>
#include <limits.h>
#include <stdio.h>
#include <string.h>
#include <sys/sysinfo.h>
#include <sys/utsname.h>
#include <time.h>
#include <unistd.h>

namespace {

int32 stMaxPorts = 0;
BPrivate::port_counter stPortCounter = NULL;

} // namespace


void
BPrivate::set_port_counter(int32 maxPorts, port_counter counter)
{
	stMaxPorts = maxPorts;
	stPortCounter = counter;
}


status_t
_get_system_info(system_info* info, size_t size)
{
	if (info == NULL || size != sizeof(system_info))
		return B_BAD_VALUE;
	memset(info, 0, sizeof(*info));

	// The boot time in the clock of system_time(): microseconds before now that the
	// machine has been up.
	struct timespec uptime;
	if (clock_gettime(CLOCK_BOOTTIME, &uptime) == 0) {
		info->boot_time = system_time()
			- ((bigtime_t)uptime.tv_sec * 1000000 + uptime.tv_nsec / 1000);
	}
	long cpus = sysconf(_SC_NPROCESSORS_ONLN);
	info->cpu_count = cpus > 0 ? (cpus < B_MAX_CPU_COUNT ? cpus : B_MAX_CPU_COUNT) : 1;
	long pageSize = sysconf(_SC_PAGESIZE);
	info->page_size = pageSize > 0 ? pageSize : 4096;
	struct sysinfo memory;
	if (sysinfo(&memory) == 0) {
		uint64 total = (uint64)memory.totalram * memory.mem_unit;
		uint64 free = (uint64)memory.freeram * memory.mem_unit;
		info->max_pages = total / info->page_size;
		info->used_pages = (total - free) / info->page_size;
		info->used_teams = memory.procs;
	}
	info->max_sems = BPrivate::kMaxSemaphores;
	info->used_sems = BPrivate::semaphore_count();
	info->max_ports = stMaxPorts;
	info->used_ports = stPortCounter != NULL ? stPortCounter() : 0;
	long threads = sysconf(_SC_CHILD_MAX);
	info->max_threads = threads > 0 && threads < INT32_MAX ? threads : INT32_MAX;
	info->max_teams = info->max_threads;
	if (DIR* tasks = opendir("/proc/self/task")) {
		while (struct dirent* entry = readdir(tasks))
			info->used_threads += entry->d_name[0] != '.';
		closedir(tasks);
	}

	struct utsname name;
	if (uname(&name) == 0) {
		snprintf(info->kernel_name, sizeof(info->kernel_name), "%.*s",
			(int)sizeof(info->kernel_name) - 1, name.sysname);
		// The version string is longer than the field; its start names the build.
		snprintf(info->kernel_build_date, sizeof(info->kernel_build_date), "%.*s",
			(int)sizeof(info->kernel_build_date) - 1, name.version);
		int major = 0, minor = 0, patch = 0;
		sscanf(name.release, "%d.%d.%d", &major, &minor, &patch);
		info->kernel_version = ((int64)major << 32) | (minor << 16) | patch;
	}
	return B_OK;
}

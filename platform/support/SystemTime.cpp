// The kit's clock and sleeping.
#include <OS.h>

#include <errno.h>
#include <time.h>


bigtime_t
system_time(void)
{
	timespec now;
	clock_gettime(CLOCK_MONOTONIC, &now);
	return (bigtime_t)now.tv_sec * 1000000 + now.tv_nsec / 1000;
}


status_t
snooze(bigtime_t amount)
{
	if (amount < 0)
		return B_BAD_VALUE;
	timespec delay = { (time_t)(amount / 1000000), (long)(amount % 1000000) * 1000 };
	while (nanosleep(&delay, &delay) != 0) {
		if (errno != EINTR)
			return B_ERROR;
	}
	return B_OK;
}


status_t
snooze_until(bigtime_t time, int timeBase)
{
	if (timeBase != B_SYSTEM_TIMEBASE)
		return B_BAD_VALUE;
	if (time < 0)
		time = 0;
	timespec until = { (time_t)(time / 1000000), (long)(time % 1000000) * 1000 };
	int error;
	while ((error = clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr)) != 0) {
		if (error != EINTR)
			return B_ERROR;
	}
	return B_OK;
}


status_t
snooze_etc(bigtime_t amount, int timeBase, uint32 flags)
{
	if ((flags & B_ABSOLUTE_TIMEOUT) != 0)
		return snooze_until(amount, timeBase);
	if (timeBase != B_SYSTEM_TIMEBASE)
		return B_BAD_VALUE;
	return snooze(amount);
}


uint32
real_time_clock(void)
{
	return (uint32)::time(nullptr);
}


bigtime_t
real_time_clock_usecs(void)
{
	timespec now;
	clock_gettime(CLOCK_REALTIME, &now);
	return (bigtime_t)now.tv_sec * 1000000 + now.tv_nsec / 1000;
}


void
set_real_time_clock(uint32 secsSinceJan1st1970)
{
	// Only a privileged process may set the machine's clock; for others this fails and,
	// having no status to return, leaves the clock as it is.
	timespec when = { (time_t)secsSinceJan1st1970, 0 };
	clock_settime(CLOCK_REALTIME, &when);
}

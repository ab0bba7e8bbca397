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

// When a wait with the kernel calls' timeout flags ends (B_RELATIVE_TIMEOUT,
// B_ABSOLUTE_TIMEOUT), in system_time()'s clock.
#ifndef _DEADLINE_H
#define _DEADLINE_H

#include <OS.h>

namespace BPrivate {

// B_INFINITE_TIMEOUT without a timeout flag, for an infinite timeout, and for a relative
// one too long to add to the clock.
inline bigtime_t
timeout_deadline(uint32 flags, bigtime_t timeout)
{
	if ((flags & (B_RELATIVE_TIMEOUT | B_ABSOLUTE_TIMEOUT)) == 0
		|| timeout == B_INFINITE_TIMEOUT)
		return B_INFINITE_TIMEOUT;
	if ((flags & B_ABSOLUTE_TIMEOUT) != 0)
		return timeout;
	bigtime_t now = system_time();
	return timeout > B_INFINITE_TIMEOUT - now ? B_INFINITE_TIMEOUT : now + timeout;
}


// What a wait that ends unfulfilled returns: B_WOULD_BLOCK when it was not to wait at all
// (a relative timeout of 0 or less), else B_TIMED_OUT.
inline status_t
timeout_status(uint32 flags, bigtime_t timeout)
{
	return (flags & B_ABSOLUTE_TIMEOUT) != 0 || timeout > 0 ? B_TIMED_OUT : B_WOULD_BLOCK;
}

} // namespace BPrivate

#endif // _DEADLINE_H

// The lock check's report.
#include "app/LockCheck.h"

#ifdef KIT_CHECK_LOCKS

#include <Looper.h>
#include <OS.h>

#include <stdio.h>

namespace BPrivate {

void
check_lock(const BLooper* looper, CallSite where)
{
	if (looper == NULL || looper->IsLocked())
		return;
	char message[512];
	snprintf(message, sizeof(message), "%s: called without the lock of looper \"%s\"",
		where.function_name(), looper->Name() != NULL ? looper->Name() : "");
	debugger(message);
}

} // namespace BPrivate

#endif // KIT_CHECK_LOCKS

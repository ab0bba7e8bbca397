// The lock rule of the interface kit in code: the methods that change a window or its
// views must be called by the thread that holds the window's lock. Built with
// KIT_CHECK_LOCKS (every build type but Release and MinSizeRel, see CMakeLists.txt), a
// call from another thread reports the method and stops the team in debugger(); without
// it the check is empty and compiled away.
#ifndef _LOCK_CHECK_H
#define _LOCK_CHECK_H

#include <source_location>

class BLooper;

namespace BPrivate {

// Checks that the calling thread holds looper's lock; a NULL looper (a view outside any
// window, which any thread may change) passes.
#ifdef KIT_CHECK_LOCKS
void check_lock(const BLooper* looper,
	std::source_location where = std::source_location::current());
#else
inline void
check_lock(const BLooper*, std::source_location = std::source_location::current())
{
}
#endif

} // namespace BPrivate

#endif // _LOCK_CHECK_H

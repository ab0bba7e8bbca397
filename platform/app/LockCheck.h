// The lock rule of the interface kit in code: the methods that change a window or its
// views must be called by the thread that holds the window's lock. Built with
// KIT_CHECK_LOCKS (every build type but Release and MinSizeRel, see CMakeLists.txt), a
// call from another thread reports the method and stops the team in debugger(); without
// it the check is empty and compiled away.
#ifndef _LOCK_CHECK_H
#define _LOCK_CHECK_H

#include <version>
#ifdef __cpp_lib_source_location
#include <source_location>
#endif

class BLooper;

namespace BPrivate {

// Where a checked method was called from. A compiler whose library has no
// std::source_location (clang 14 on libstdc++ 12, the fuzz targets' compiler) names the
// method without its class.
#ifdef __cpp_lib_source_location
using CallSite = std::source_location;
#else
struct CallSite {
	static constexpr CallSite current(const char* function = __builtin_FUNCTION())
	{
		return CallSite{function};
	}
	constexpr const char* function_name() const { return fFunction; }
	const char* fFunction;
};
#endif

// Checks that the calling thread holds looper's lock; a NULL looper (a view outside any
// window, which any thread may change) passes.
#ifdef KIT_CHECK_LOCKS
void check_lock(const BLooper* looper, CallSite where = CallSite::current());
#else
inline void
check_lock(const BLooper*, CallSite = CallSite::current())
{
}
#endif

} // namespace BPrivate

#endif // _LOCK_CHECK_H

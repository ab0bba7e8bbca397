// Limits and counts of the kernel kit's own objects, for get_system_info.
#ifndef _KERNEL_COUNTS_H
#define _KERNEL_COUNTS_H

#include <SupportDefs.h>

namespace BPrivate {

// A process holds at most this many semaphores at once.
constexpr int32 kMaxSemaphores = 65536;

int32 semaphore_count();

} // namespace BPrivate

#endif // _KERNEL_COUNTS_H

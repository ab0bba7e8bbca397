// Limits and counts of the kernel kit's own objects, for get_system_info.
#ifndef _KERNEL_COUNTS_H
#define _KERNEL_COUNTS_H

#include <SupportDefs.h>

namespace BPrivate {

// A process holds at most this many semaphores at once.
constexpr int32 kMaxSemaphores = 65536;

int32 semaphore_count();

// Ports live in the app kit, which the support kit cannot see: the app kit, once loaded,
// hands over how many there may be and how to count those in use.
typedef int32 (*port_counter)();
void set_port_counter(int32 maxPorts, port_counter counter);

} // namespace BPrivate

#endif // _KERNEL_COUNTS_H

// Kernel-level definitions of the platform: times and timeouts. The messaging kit extends
// this header with threads and ports.
#ifndef _OS_H
#define _OS_H

#include <SupportDefs.h>

#define B_INFINITE_TIMEOUT	((bigtime_t)0x7fffffffffffffffLL)

#endif // _OS_H

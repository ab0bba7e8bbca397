// The processor time of processes that a benchmark started, read from /proc.
#ifndef _PROCESS_TIME_H
#define _PROCESS_TIME_H

#include <sys/types.h>

// The CPU time, user and system, that a process has used, in milliseconds (0 when it
// cannot be read).
double cpu_milliseconds(pid_t process);

#endif // _PROCESS_TIME_H

// Thread-local storage by index: tls_allocate gives an index that every thread of the team
// may then use for a value of its own, null until the thread sets it.
#ifndef _TLS_H
#define _TLS_H

#include <SupportDefs.h>

// The indexes a team may allocate.
#define TLS_MAX_KEYS	64

#ifdef __cplusplus
extern "C" {
#endif

// A new index, or B_NO_MEMORY when all are taken.
int32 tls_allocate(void);
// The calling thread's value at the index (null for an index never allocated).
void* tls_get(int32 index);
// Where the calling thread's value at the index lives, or null for an index out of range.
void** tls_address(int32 index);
void tls_set(int32 index, void* value);

#ifdef __cplusplus
}
#endif

#endif // _TLS_H

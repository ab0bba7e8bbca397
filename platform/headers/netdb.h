// The platform's resolver header: the C library's, found after this one, and what the
// platform's declared beside it.
#ifndef _BE_NETDB_H
#define _BE_NETDB_H

#include <socket.h>

#include_next <netdb.h>

#include <stddef.h>

// The longest host name gethostname gives, without its NUL.
#ifndef MAXHOSTNAMELEN
#define MAXHOSTNAMELEN 64
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Copies the name of the user the process runs as into name (length bytes, cut to fit and
// NUL-terminated). Returns the length copied, 0 when there is no such name or no room
// (in libnet).
int getusername(char* name, size_t length);

#ifdef __cplusplus
}
#endif

#endif // _BE_NETDB_H

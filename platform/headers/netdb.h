// The platform's resolver header: the C library's, found after this one.
#ifndef _BE_NETDB_H
#define _BE_NETDB_H

#include <socket.h>

#include_next <netdb.h>

#endif // _BE_NETDB_H

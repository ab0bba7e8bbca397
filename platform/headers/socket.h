// The platform's BSD socket header: the socket calls, Internet addresses and select, as
// Linux provides them, and closesocket, the platform's name for closing a socket.
#ifndef _SOCKET_H
#define _SOCKET_H

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#ifdef __cplusplus
extern "C" {
#endif

static inline int
closesocket(int socket)
{
	return close(socket);
}

#ifdef __cplusplus
}
#endif

#endif // _SOCKET_H

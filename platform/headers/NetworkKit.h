// Everything of the Network Kit, for applications that include it whole.
#ifndef _NETWORK_KIT_H
#define _NETWORK_KIT_H

#include <netdb.h>
#include <NetAddress.h>
#include <NetBuffer.h>
#include <NetDebug.h>
#include <NetEndpoint.h>
#include <socket.h>

#endif // _NETWORK_KIT_H

// BNetAddress over the C library's resolver (getaddrinfo and getnameinfo, which are safe
// to call from several threads).
#include <NetAddress.h>

#include <Message.h>

#include <errno.h>
#include <netdb.h>
#include <stdio.h>
#include <string.h>

namespace {

const char* const kFamilyField = "bnaddr_family";
const char* const kPortField = "bnaddr_port";
const char* const kAddressField = "bnaddr_addr";


status_t
resolver_error(int error)
{
	switch (error) {
		case EAI_NONAME:
		case EAI_NODATA:
		case EAI_SERVICE:
			return B_NAME_NOT_FOUND;
		case EAI_MEMORY:
			return B_NO_MEMORY;
		case EAI_AGAIN:
			return B_TIMED_OUT;
		default:
			return B_ERROR;
	}
}

} // namespace


BNetAddress::BNetAddress(BMessage* archive)
	:
	BArchivable(archive),
	fInit(B_NO_INIT),
	fFamily(AF_INET),
	fPort(0),
	fAddress(0)
{
	int16 family;
	int16 port;
	int32 address;
	if (archive == NULL || archive->FindInt16(kFamilyField, &family) != B_OK
		|| archive->FindInt16(kPortField, &port) != B_OK
		|| archive->FindInt32(kAddressField, &address) != B_OK) {
		fInit = B_BAD_VALUE;
		return;
	}
	if (family != AF_INET) {
		fInit = B_BAD_VALUE;
		return;
	}
	fPort = (uint16)port;
	fAddress = (uint32)address;
	fInit = B_OK;
}


BNetAddress::BNetAddress(const char* hostname, unsigned short port)
	:
	fInit(B_NO_INIT), fFamily(AF_INET), fPort(0), fAddress(0)
{
	SetTo(hostname, port);
}


BNetAddress::BNetAddress(const struct sockaddr_in& address)
	:
	fInit(B_NO_INIT), fFamily(AF_INET), fPort(0), fAddress(0)
{
	SetTo(address);
}


BNetAddress::BNetAddress(in_addr address, int port)
	:
	fInit(B_NO_INIT), fFamily(AF_INET), fPort(0), fAddress(0)
{
	SetTo(address, port);
}


BNetAddress::BNetAddress(uint32 address, int port)
	:
	fInit(B_NO_INIT), fFamily(AF_INET), fPort(0), fAddress(0)
{
	SetTo(address, port);
}


BNetAddress::BNetAddress(const char* hostname, const char* protocol, const char* service)
	:
	fInit(B_NO_INIT), fFamily(AF_INET), fPort(0), fAddress(0)
{
	SetTo(hostname, protocol, service);
}


BNetAddress::BNetAddress(const BNetAddress& other)
	:
	BArchivable(),
	fInit(other.fInit),
	fFamily(other.fFamily),
	fPort(other.fPort),
	fAddress(other.fAddress)
{
}


BNetAddress::~BNetAddress()
{
}


BNetAddress&
BNetAddress::operator=(const BNetAddress& other)
{
	fInit = other.fInit;
	fFamily = other.fFamily;
	fPort = other.fPort;
	fAddress = other.fAddress;
	return *this;
}


status_t
BNetAddress::InitCheck() const
{
	return fInit;
}


status_t
BNetAddress::Archive(BMessage* into, bool deep) const
{
	if (into == NULL)
		return B_BAD_VALUE;
	if (fInit != B_OK)
		return B_NO_INIT;
	status_t status = BArchivable::Archive(into, deep);
	if (status == B_OK)
		status = into->AddString("class", "BNetAddress");
	if (status == B_OK)
		status = into->AddInt16(kFamilyField, fFamily);
	if (status == B_OK)
		status = into->AddInt16(kPortField, (int16)fPort);
	if (status == B_OK)
		status = into->AddInt32(kAddressField, (int32)fAddress);
	return status;
}


BArchivable*
BNetAddress::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BNetAddress"))
		return NULL;
	BNetAddress* address = new BNetAddress(archive);
	if (address->InitCheck() != B_OK) {
		delete address;
		return NULL;
	}
	return address;
}


status_t
BNetAddress::SetTo(const char* hostname, unsigned short port)
{
	if (hostname == NULL)
		return SetTo((uint32)INADDR_ANY, port);
	struct addrinfo hints;
	memset(&hints, 0, sizeof(hints));
	hints.ai_family = AF_INET;
	struct addrinfo* found = NULL;
	int error = getaddrinfo(hostname, NULL, &hints, &found);
	if (error != 0) {
		fInit = resolver_error(error);
		return fInit;
	}
	const sockaddr_in* address = (const sockaddr_in*)found->ai_addr;
	fFamily = AF_INET;
	fAddress = address->sin_addr.s_addr;
	fPort = htons(port);
	freeaddrinfo(found);
	fInit = B_OK;
	return B_OK;
}


status_t
BNetAddress::SetTo(const char* hostname, const char* protocol, const char* service)
{
	if (service == NULL)
		return B_BAD_VALUE;
	struct addrinfo hints;
	memset(&hints, 0, sizeof(hints));
	hints.ai_family = AF_INET;
	hints.ai_flags = hostname == NULL ? AI_PASSIVE : 0;
	if (protocol != NULL)
		hints.ai_socktype = strcmp(protocol, "udp") == 0 ? SOCK_DGRAM : SOCK_STREAM;
	struct addrinfo* found = NULL;
	int error = getaddrinfo(hostname, service, &hints, &found);
	if (error != 0) {
		fInit = resolver_error(error);
		return fInit;
	}
	const sockaddr_in* address = (const sockaddr_in*)found->ai_addr;
	fFamily = AF_INET;
	fAddress = address->sin_addr.s_addr;
	fPort = address->sin_port;
	freeaddrinfo(found);
	fInit = B_OK;
	return B_OK;
}


status_t
BNetAddress::SetTo(const struct sockaddr_in& address)
{
	if (address.sin_family != AF_INET)
		return fInit = B_BAD_VALUE;
	fFamily = AF_INET;
	fPort = address.sin_port;
	fAddress = address.sin_addr.s_addr;
	return fInit = B_OK;
}


status_t
BNetAddress::SetTo(in_addr address, int port)
{
	fFamily = AF_INET;
	fAddress = address.s_addr;
	fPort = htons((uint16)port);
	return fInit = B_OK;
}


status_t
BNetAddress::SetTo(uint32 address, int port)
{
	fFamily = AF_INET;
	fAddress = htonl(address);
	fPort = htons((uint16)port);
	return fInit = B_OK;
}


status_t
BNetAddress::GetAddr(char* hostname, unsigned short* port) const
{
	if (fInit != B_OK)
		return B_NO_INIT;
	if (port != NULL)
		*port = ntohs(fPort);
	if (hostname == NULL)
		return B_OK;
	sockaddr_in address;
	GetAddr(address);
	// NI_MAXHOST is 1025; applications of the platform give 256 bytes.
	char name[NI_MAXHOST];
	if (getnameinfo((const sockaddr*)&address, sizeof(address), name, sizeof(name), NULL, 0,
			0) != 0)
		inet_ntop(AF_INET, &address.sin_addr, name, sizeof(name));
	// Cut to the 256 bytes applications of the platform give.
	size_t length = strnlen(name, 255);
	memcpy(hostname, name, length);
	hostname[length] = '\0';
	return B_OK;
}


status_t
BNetAddress::GetAddr(struct sockaddr_in& address) const
{
	if (fInit != B_OK)
		return B_NO_INIT;
	memset(&address, 0, sizeof(address));
	address.sin_family = AF_INET;
	address.sin_port = fPort;
	address.sin_addr.s_addr = fAddress;
	return B_OK;
}


status_t
BNetAddress::GetAddr(in_addr& address, unsigned short* port) const
{
	if (fInit != B_OK)
		return B_NO_INIT;
	address.s_addr = fAddress;
	if (port != NULL)
		*port = ntohs(fPort);
	return B_OK;
}

// An Internet (IPv4) address and port, resolved from a host name or given as numbers.
// Archived as the fields "bnaddr_family", "bnaddr_port" and "bnaddr_addr".
#ifndef _NET_ADDRESS_H
#define _NET_ADDRESS_H

#include <Archivable.h>
#include <SupportDefs.h>
#include <socket.h>

class BNetAddress : public BArchivable {
public:
						BNetAddress(BMessage* archive);
						BNetAddress(const char* hostname = NULL, unsigned short port = 0);
						BNetAddress(const struct sockaddr_in& address);
						BNetAddress(in_addr address, int port = 0);
						BNetAddress(uint32 address, int port = 0);
						BNetAddress(const char* hostname, const char* protocol,
							const char* service);
						BNetAddress(const BNetAddress& other);
	virtual				~BNetAddress();

	BNetAddress&		operator=(const BNetAddress& other);

	// B_OK once the address is set; the resolver's failure otherwise.
	status_t			InitCheck() const;

	virtual status_t	Archive(BMessage* into, bool deep = true) const;
	static BArchivable*	Instantiate(BMessage* archive);

	// A host name (or dotted address; NULL for any address) and a port in host order.
	status_t			SetTo(const char* hostname, unsigned short port = 0);
	// The port of a service by name ("smtp") for a protocol ("tcp").
	status_t			SetTo(const char* hostname, const char* protocol,
							const char* service);
	status_t			SetTo(const struct sockaddr_in& address);
	status_t			SetTo(in_addr address, int port = 0);
	// address in host order.
	status_t			SetTo(uint32 address = INADDR_ANY, int port = 0);

	// The host's name (hostname needs room for a name of up to 255 bytes and its
	// terminator; the dotted address when no name is found) and the port in host order.
	status_t			GetAddr(char* hostname = NULL, unsigned short* port = NULL) const;
	status_t			GetAddr(struct sockaddr_in& address) const;
	status_t			GetAddr(in_addr& address, unsigned short* port = NULL) const;

private:
	status_t			fInit;
	int16				fFamily;
	// Both in network order.
	uint16				fPort;
	uint32				fAddress;
};

#endif // _NET_ADDRESS_H

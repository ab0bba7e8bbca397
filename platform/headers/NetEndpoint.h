// A socket: connected (stream) or not (datagram), with a receive timeout and the
// addresses of both ends.
#ifndef _NET_ENDPOINT_H
#define _NET_ENDPOINT_H

#include <Archivable.h>
#include <NetAddress.h>
#include <NetBuffer.h>
#include <OS.h>
#include <SupportDefs.h>
#include <socket.h>

class BNetEndpoint : public BArchivable {
public:
						BNetEndpoint(int type = SOCK_STREAM);
						BNetEndpoint(int family, int type, int protocol);
						BNetEndpoint(BMessage* archive);
						BNetEndpoint(const BNetEndpoint& other);
	virtual				~BNetEndpoint();

	BNetEndpoint&		operator=(const BNetEndpoint& other);

	status_t			InitCheck() const;

	virtual status_t	Archive(BMessage* into, bool deep = true) const;
	static BArchivable*	Instantiate(BMessage* archive);

	// Makes a new socket of the type (SOCK_STREAM or SOCK_DGRAM), closing the old one.
	status_t			SetProtocol(int type);
	// setsockopt; 0 or -1 as it returns.
	int					SetOption(int32 option, int32 level, const void* data,
							unsigned int dataSize);
	int					SetNonBlocking(bool on = true);
	int					SetReuseAddr(bool on = true);

	const BNetAddress&	LocalAddr();
	const BNetAddress&	RemoteAddr();

	int					Socket() const;

	virtual void		Close();

	virtual status_t	Bind(const BNetAddress& address);
	virtual status_t	Bind(int port = 0);
	virtual status_t	Connect(const BNetAddress& address);
	virtual status_t	Connect(const char* address, int port);
	virtual status_t	Listen(int backlog = 5);
	// A new endpoint for the next connection (the caller deletes it), waiting at most
	// timeout milliseconds (-1: as long as it takes); NULL on timeout or error.
	virtual BNetEndpoint* Accept(int32 timeout = -1);

	// The errno of the last failed call, and its text.
	int					Error() const;
	char*				ErrorStr() const;

	// Bytes sent or received, or -1 (Error() tells why); Receive gives 0 when the
	// peer closed, and -1 with Error() ETIMEDOUT once the timeout passed.
	virtual int32		Send(const void* buffer, size_t size, int flags = 0);
	virtual int32		Send(BNetBuffer& buffer, int flags = 0);
	virtual int32		SendTo(const void* buffer, size_t size, const BNetAddress& to,
							int flags = 0);
	virtual int32		SendTo(BNetBuffer& buffer, const BNetAddress& to, int flags = 0);

	// How long Receive, ReceiveFrom and Accept wait, in microseconds
	// (B_INFINITE_TIMEOUT: as long as it takes).
	void				SetTimeout(bigtime_t timeout);

	virtual int32		Receive(void* buffer, size_t size, int flags = 0);
	virtual int32		Receive(BNetBuffer& buffer, size_t size, int flags = 0);
	virtual int32		ReceiveFrom(void* buffer, size_t size, BNetAddress& from,
							int flags = 0);
	virtual int32		ReceiveFrom(BNetBuffer& buffer, size_t size, BNetAddress& from,
							int flags = 0);

	// Whether data can be read within timeout microseconds.
	virtual bool		IsDataPending(bigtime_t timeout = 0);

private:
	void				_Update();
	bool				_WaitReadable();

	int					fSocket;
	int					fType;
	int					fFamily;
	int					fProtocol;
	int					fError;
	bigtime_t			fTimeout;
	BNetAddress			fLocal;
	BNetAddress			fRemote;
};

#endif // _NET_ENDPOINT_H

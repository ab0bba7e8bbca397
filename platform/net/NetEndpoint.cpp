// BNetEndpoint over a socket of the C library. Waits for data use poll, so that the
// endpoint's timeout bounds every Receive, ReceiveFrom and Accept.
#include <NetEndpoint.h>

#include <Message.h>

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <string.h>

#include <algorithm>
#include <vector>

namespace {

const char* const kTypeField = "_BNetEndpoint_type";
const char* const kFamilyField = "_BNetEndpoint_family";
const char* const kProtocolField = "_BNetEndpoint_protocol";
const char* const kTimeoutField = "_BNetEndpoint_timeout";
const char* const kLocalField = "_BNetEndpoint_addr";
const char* const kRemoteField = "_BNetEndpoint_peer";


// poll's milliseconds for a timeout in microseconds, rounded up.
int
poll_timeout(bigtime_t timeout)
{
	if (timeout == B_INFINITE_TIMEOUT || timeout < 0)
		return -1;
	bigtime_t milliseconds = (timeout + 999) / 1000;
	return (int)std::min<bigtime_t>(milliseconds, INT32_MAX);
}

} // namespace


BNetEndpoint::BNetEndpoint(int type)
	:
	fSocket(-1), fType(type), fFamily(AF_INET), fProtocol(0), fError(0),
	fTimeout(B_INFINITE_TIMEOUT)
{
	SetProtocol(type);
}


BNetEndpoint::BNetEndpoint(int family, int type, int protocol)
	:
	fSocket(-1), fType(type), fFamily(family), fProtocol(protocol), fError(0),
	fTimeout(B_INFINITE_TIMEOUT)
{
	SetProtocol(type);
}


BNetEndpoint::BNetEndpoint(BMessage* archive)
	:
	BArchivable(archive),
	fSocket(-1), fType(SOCK_STREAM), fFamily(AF_INET), fProtocol(0), fError(0),
	fTimeout(B_INFINITE_TIMEOUT)
{
	if (archive == NULL) {
		fError = EINVAL;
		return;
	}
	int32 value;
	if (archive->FindInt32(kTypeField, &value) == B_OK)
		fType = value;
	if (archive->FindInt32(kFamilyField, &value) == B_OK)
		fFamily = value;
	if (archive->FindInt32(kProtocolField, &value) == B_OK)
		fProtocol = value;
	int64 timeout;
	if (archive->FindInt64(kTimeoutField, &timeout) == B_OK)
		fTimeout = timeout;
	if (SetProtocol(fType) != B_OK)
		return;
	// A connected endpoint is made again by binding and connecting to what it had.
	BMessage address;
	if (archive->FindMessage(kLocalField, &address) == B_OK) {
		BNetAddress local(&address);
		if (local.InitCheck() == B_OK)
			Bind(local);
	}
	if (archive->FindMessage(kRemoteField, &address) == B_OK) {
		BNetAddress remote(&address);
		if (remote.InitCheck() == B_OK)
			Connect(remote);
	}
}


BNetEndpoint::BNetEndpoint(const BNetEndpoint& other)
	:
	BArchivable(),
	fSocket(-1), fType(other.fType), fFamily(other.fFamily), fProtocol(other.fProtocol),
	fError(other.fError), fTimeout(other.fTimeout), fLocal(other.fLocal),
	fRemote(other.fRemote)
{
	if (other.fSocket >= 0) {
		fSocket = fcntl(other.fSocket, F_DUPFD_CLOEXEC, 0);
		if (fSocket < 0)
			fError = errno;
	}
}


BNetEndpoint::~BNetEndpoint()
{
	Close();
}


BNetEndpoint&
BNetEndpoint::operator=(const BNetEndpoint& other)
{
	if (this == &other)
		return *this;
	Close();
	fType = other.fType;
	fFamily = other.fFamily;
	fProtocol = other.fProtocol;
	fError = other.fError;
	fTimeout = other.fTimeout;
	fLocal = other.fLocal;
	fRemote = other.fRemote;
	if (other.fSocket >= 0) {
		fSocket = fcntl(other.fSocket, F_DUPFD_CLOEXEC, 0);
		if (fSocket < 0)
			fError = errno;
	}
	return *this;
}


status_t
BNetEndpoint::InitCheck() const
{
	return fSocket >= 0 ? B_OK : B_NO_INIT;
}


status_t
BNetEndpoint::Archive(BMessage* into, bool deep) const
{
	if (into == NULL)
		return B_BAD_VALUE;
	status_t status = BArchivable::Archive(into, deep);
	if (status == B_OK)
		status = into->AddString("class", "BNetEndpoint");
	if (status == B_OK)
		status = into->AddInt32(kTypeField, fType);
	if (status == B_OK)
		status = into->AddInt32(kFamilyField, fFamily);
	if (status == B_OK)
		status = into->AddInt32(kProtocolField, fProtocol);
	if (status == B_OK)
		status = into->AddInt64(kTimeoutField, fTimeout);
	BMessage address;
	if (status == B_OK && fLocal.Archive(&address) == B_OK)
		status = into->AddMessage(kLocalField, &address);
	address.MakeEmpty();
	if (status == B_OK && fRemote.Archive(&address) == B_OK)
		status = into->AddMessage(kRemoteField, &address);
	return status;
}


BArchivable*
BNetEndpoint::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BNetEndpoint"))
		return NULL;
	BNetEndpoint* endpoint = new BNetEndpoint(archive);
	if (endpoint->InitCheck() != B_OK) {
		delete endpoint;
		return NULL;
	}
	return endpoint;
}


status_t
BNetEndpoint::SetProtocol(int type)
{
	Close();
	fType = type;
	fSocket = socket(fFamily, type | SOCK_CLOEXEC, fProtocol);
	if (fSocket < 0) {
		fError = errno;
		return B_ERROR;
	}
	return B_OK;
}


int
BNetEndpoint::SetOption(int32 option, int32 level, const void* data, unsigned int dataSize)
{
	if (setsockopt(fSocket, level, option, data, dataSize) != 0) {
		fError = errno;
		return -1;
	}
	return 0;
}


int
BNetEndpoint::SetNonBlocking(bool on)
{
	int flags = fcntl(fSocket, F_GETFL);
	if (flags < 0 || fcntl(fSocket, F_SETFL, on ? flags | O_NONBLOCK
			: flags & ~O_NONBLOCK) != 0) {
		fError = errno;
		return -1;
	}
	return 0;
}


int
BNetEndpoint::SetReuseAddr(bool on)
{
	int value = on ? 1 : 0;
	return SetOption(SO_REUSEADDR, SOL_SOCKET, &value, sizeof(value));
}


const BNetAddress&
BNetEndpoint::LocalAddr()
{
	return fLocal;
}


const BNetAddress&
BNetEndpoint::RemoteAddr()
{
	return fRemote;
}


int
BNetEndpoint::Socket() const
{
	return fSocket;
}


void
BNetEndpoint::Close()
{
	if (fSocket >= 0)
		close(fSocket);
	fSocket = -1;
	fLocal = BNetAddress();
	fRemote = BNetAddress();
}


void
BNetEndpoint::_Update()
{
	sockaddr_in address;
	socklen_t length = sizeof(address);
	if (getsockname(fSocket, (sockaddr*)&address, &length) == 0)
		fLocal.SetTo(address);
	length = sizeof(address);
	if (getpeername(fSocket, (sockaddr*)&address, &length) == 0)
		fRemote.SetTo(address);
}


status_t
BNetEndpoint::Bind(const BNetAddress& address)
{
	sockaddr_in where;
	if (address.GetAddr(where) != B_OK)
		return B_BAD_VALUE;
	if (bind(fSocket, (const sockaddr*)&where, sizeof(where)) != 0) {
		fError = errno;
		return B_ERROR;
	}
	_Update();
	return B_OK;
}


status_t
BNetEndpoint::Bind(int port)
{
	return Bind(BNetAddress((uint32)INADDR_ANY, port));
}


status_t
BNetEndpoint::Connect(const BNetAddress& address)
{
	sockaddr_in where;
	if (address.GetAddr(where) != B_OK)
		return B_BAD_VALUE;
	int result;
	while ((result = connect(fSocket, (const sockaddr*)&where, sizeof(where))) != 0
		&& errno == EINTR)
		;
	if (result != 0) {
		fError = errno;
		return B_ERROR;
	}
	_Update();
	return B_OK;
}


status_t
BNetEndpoint::Connect(const char* address, int port)
{
	BNetAddress where(address, port);
	if (where.InitCheck() != B_OK)
		return where.InitCheck();
	return Connect(where);
}


status_t
BNetEndpoint::Listen(int backlog)
{
	if (listen(fSocket, backlog) != 0) {
		fError = errno;
		return B_ERROR;
	}
	return B_OK;
}


BNetEndpoint*
BNetEndpoint::Accept(int32 timeout)
{
	pollfd readable = { fSocket, POLLIN, 0 };
	int ready;
	while ((ready = poll(&readable, 1, timeout < 0 ? -1 : timeout)) < 0 && errno == EINTR)
		;
	if (ready <= 0) {
		fError = ready == 0 ? ETIMEDOUT : errno;
		return NULL;
	}
	int connection = accept4(fSocket, NULL, NULL, SOCK_CLOEXEC);
	if (connection < 0) {
		fError = errno;
		return NULL;
	}
	BNetEndpoint* endpoint = new BNetEndpoint(*this);
	close(endpoint->fSocket);
	endpoint->fSocket = connection;
	endpoint->fError = 0;
	endpoint->_Update();
	return endpoint;
}


int
BNetEndpoint::Error() const
{
	return fError;
}


char*
BNetEndpoint::ErrorStr() const
{
	return strerror(fError);
}


int32
BNetEndpoint::Send(const void* buffer, size_t size, int flags)
{
	ssize_t sent;
	while ((sent = send(fSocket, buffer, size, flags | MSG_NOSIGNAL)) < 0 && errno == EINTR)
		;
	if (sent < 0)
		fError = errno;
	return (int32)sent;
}


int32
BNetEndpoint::Send(BNetBuffer& buffer, int flags)
{
	int32 sent = Send(buffer.Data(), buffer.BytesRemaining(), flags);
	// What went out leaves the buffer.
	if (sent > 0) {
		std::vector<char> scratch(sent);
		buffer.RemoveData(scratch.data(), sent);
	}
	return sent;
}


int32
BNetEndpoint::SendTo(const void* buffer, size_t size, const BNetAddress& to, int flags)
{
	sockaddr_in where;
	if (to.GetAddr(where) != B_OK) {
		fError = EINVAL;
		return -1;
	}
	ssize_t sent;
	while ((sent = sendto(fSocket, buffer, size, flags | MSG_NOSIGNAL,
			(const sockaddr*)&where, sizeof(where))) < 0 && errno == EINTR)
		;
	if (sent < 0)
		fError = errno;
	return (int32)sent;
}


int32
BNetEndpoint::SendTo(BNetBuffer& buffer, const BNetAddress& to, int flags)
{
	int32 sent = SendTo(buffer.Data(), buffer.BytesRemaining(), to, flags);
	if (sent > 0) {
		std::vector<char> scratch(sent);
		buffer.RemoveData(scratch.data(), sent);
	}
	return sent;
}


void
BNetEndpoint::SetTimeout(bigtime_t timeout)
{
	fTimeout = timeout;
}


bool
BNetEndpoint::_WaitReadable()
{
	if (fTimeout == B_INFINITE_TIMEOUT)
		return true;
	if (IsDataPending(fTimeout))
		return true;
	if (fError == 0)
		fError = ETIMEDOUT;
	return false;
}


bool
BNetEndpoint::IsDataPending(bigtime_t timeout)
{
	pollfd readable = { fSocket, POLLIN, 0 };
	bigtime_t deadline = timeout == B_INFINITE_TIMEOUT ? timeout : system_time() + timeout;
	for (;;) {
		bigtime_t left = deadline == B_INFINITE_TIMEOUT ? deadline
			: std::max<bigtime_t>(deadline - system_time(), 0);
		int ready = poll(&readable, 1, poll_timeout(left));
		if (ready > 0)
			return true;
		if (ready == 0)
			return false;
		if (errno != EINTR) {
			fError = errno;
			return false;
		}
	}
}


int32
BNetEndpoint::Receive(void* buffer, size_t size, int flags)
{
	fError = 0;
	if (!_WaitReadable())
		return -1;
	ssize_t received;
	while ((received = recv(fSocket, buffer, size, flags)) < 0 && errno == EINTR)
		;
	if (received < 0)
		fError = errno;
	return (int32)received;
}


int32
BNetEndpoint::Receive(BNetBuffer& buffer, size_t size, int flags)
{
	std::vector<char> received(size);
	int32 count = Receive(received.data(), size, flags);
	if (count > 0 && buffer.AppendData(received.data(), count) != B_OK) {
		fError = ENOMEM;
		return -1;
	}
	return count;
}


int32
BNetEndpoint::ReceiveFrom(void* buffer, size_t size, BNetAddress& from, int flags)
{
	fError = 0;
	if (!_WaitReadable())
		return -1;
	sockaddr_in where;
	socklen_t length = sizeof(where);
	ssize_t received;
	while ((received = recvfrom(fSocket, buffer, size, flags, (sockaddr*)&where, &length)) < 0
		&& errno == EINTR)
		;
	if (received < 0)
		fError = errno;
	else
		from.SetTo(where);
	return (int32)received;
}


int32
BNetEndpoint::ReceiveFrom(BNetBuffer& buffer, size_t size, BNetAddress& from, int flags)
{
	std::vector<char> received(size);
	int32 count = ReceiveFrom(received.data(), size, from, flags);
	if (count > 0 && buffer.AppendData(received.data(), count) != B_OK) {
		fError = ENOMEM;
		return -1;
	}
	return count;
}

// The yardstick of the kit's messaging benchmarks: round trips over a bare AF_UNIX stream
// socket to a forked process that reads each request whole and answers it, with no
// framing, no parsing and no dispatch. The sender sleeps in read() for each reply, or
// first polls for it for a while, as the kit's synchronous requests do; or it keeps
// several requests in flight, reading replies as they come.
#ifndef _RAW_PING_PONG_H
#define _RAW_PING_PONG_H

#include <sys/types.h>

#include <vector>

class RawPingPong {
public:
	// Each round trip sends requestSize bytes and reads replySize bytes back, polling
	// for the reply for pollMicroseconds before it sleeps.
						RawPingPong(size_t requestSize, size_t replySize,
							int pollMicroseconds = 0);
						~RawPingPong();

	bool				IsValid() const { return fEcho > 0; }
	// False once the echo process failed.
	bool				RoundTrip();
	// count round trips with up to inFlight requests sent before their replies are read.
	bool				RoundTrips(long count, int inFlight);
	// The process that answers, for its processor time.
	pid_t				Echo() const { return fEcho; }

private:
	int					fSocket = -1;
	pid_t				fEcho = -1;
	size_t				fRequestSize;
	size_t				fReplySize;
	int					fPollMicroseconds;
	std::vector<char>	fBuffer;
};

#endif // _RAW_PING_PONG_H

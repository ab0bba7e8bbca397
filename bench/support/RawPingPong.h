// The yardstick of the kit's messaging benchmarks: round trips over a bare AF_UNIX stream
// socket to a forked process that reads each request whole and answers it, with no
// framing, no parsing and no dispatch.
#ifndef _RAW_PING_PONG_H
#define _RAW_PING_PONG_H

#include <sys/types.h>

#include <vector>

class RawPingPong {
public:
	// Each round trip sends requestSize bytes and reads replySize bytes back.
						RawPingPong(size_t requestSize, size_t replySize);
						~RawPingPong();

	bool				IsValid() const { return fEcho > 0; }
	// False once the echo process failed.
	bool				RoundTrip();

private:
	int					fSocket = -1;
	pid_t				fEcho = -1;
	size_t				fRequestSize;
	size_t				fReplySize;
	std::vector<char>	fBuffer;
};

#endif // _RAW_PING_PONG_H

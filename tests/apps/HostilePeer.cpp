// A peer that speaks the kit's socket protocol directly, and badly, for the tests of a
// process's defences against the other processes of its user:
//
//	HostilePeer noread <socket> <requests>		requests whose replies it never reads
//	HostilePeer slowread <socket> <requests>
//		requests whose replies pile up in the target, then read: prints "read <n>"
//		with the number of replies that came within the watch time
//	HostilePeer partial <socket> <connections> <bytes>
//		on each connection, a frame announcing the largest body and <bytes> of it
//	HostilePeer split <socket> <megabytes>		frames in writes that always end mid-frame
//	HostilePeer flood <socket> <messages> <bytes>	messages without pause to the main port
//	HostilePeer hold <socket> <connections>		as many connections, held open
//	HostilePeer listen <directory>		an application socket that never accepts
//	HostilePeer garble <directory> <requests>
//		an application socket that takes the requests of one connection until
//		<requests> have come, then answers with bytes that are not a frame
//	HostilePeer hangup <directory> <messages>
//		an application socket that hangs up each connection once a whole frame has
//		come on it: prints "got <n>" after the n-th, until <messages> have come
//
// Each prints one line when it has done its part ("sent", "ready", or "held <n>"), then
// "cut off <n>" each time the target closes one more of its connections (for ten
// seconds), and waits to be killed.
#include <Message.h>

#include <errno.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/LinkFrame.h"

using namespace BPrivate;

namespace {

const bigtime_t kWatchTime = 10000000;


int
connect_to(const char* path, bool blocking = true)
{
	int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | (blocking ? 0 : SOCK_NONBLOCK), 0);
	sockaddr_un address = {};
	address.sun_family = AF_UNIX;
	strncpy(address.sun_path, path, sizeof(address.sun_path) - 1);
	if (fd < 0 || connect(fd, (sockaddr*)&address, sizeof(address)) != 0) {
		if (fd >= 0)
			close(fd);
		return -1;
	}
	return fd;
}


// A 'ping' to the main port with a payload of size bytes.
std::vector<uint8>
ping_frame(size_t size, uint32 flags, uint64 serial)
{
	BMessage message('ping');
	message.AddString("text", std::string(size, 'x').c_str());
	std::vector<char> flat(message.FlattenedSize());
	message.Flatten(flat.data(), flat.size());

	MessageHead head;
	head.port = 0;
	head.token = -2;
	head.flags = flags;
	head.serial = serial;
	std::vector<uint8> frame;
	append_frame_header(frame, kMessageFrame, kMessageHeadSize + flat.size());
	append_message_head(frame, head);
	frame.insert(frame.end(), flat.begin(), flat.end());
	return frame;
}


bool
write_all(int fd, const uint8* data, size_t size)
{
	while (size > 0) {
		ssize_t bytes = send(fd, data, size, MSG_NOSIGNAL);
		if (bytes < 0 && errno == EINTR)
			continue;
		if (bytes <= 0)
			return false;
		data += bytes;
		size -= bytes;
	}
	return true;
}


// Reports each connection that the target closes ("cut off <n>", n counting up) until
// all are closed or the watch time is over.
void
report_cut_offs(const std::vector<int>& connections)
{
	bigtime_t deadline = system_time() + kWatchTime;
	int closed = 0;
	std::vector<bool> seen(connections.size(), false);
	while (closed < (int)connections.size() && system_time() < deadline) {
		for (size_t i = 0; i < connections.size(); i++) {
			pollfd entry = { connections[i], POLLRDHUP, 0 };
			if (!seen[i] && poll(&entry, 1, 0) > 0
				&& (entry.revents & (POLLRDHUP | POLLHUP)) != 0) {
				seen[i] = true;
				printf("cut off %d\n", ++closed);
				fflush(stdout);
			}
		}
		usleep(20000);
	}
}


void
announce(const char* line)
{
	printf("%s\n", line);
	fflush(stdout);
}


// Sends requests of 256 KiB whose replies are copies of them; false when the target
// stopped taking them.
bool
send_pings(int fd, int requests)
{
	for (int i = 1; i <= requests; i++) {
		std::vector<uint8> frame = ping_frame(256 * 1024, kFrameWantsReply, i);
		if (!write_all(fd, frame.data(), frame.size()))
			return false;
	}
	return true;
}


int
no_read(const char* path, int requests)
{
	int fd = connect_to(path);
	if (fd < 0)
		return 1;
	// The replies soon fill both socket buffers.
	send_pings(fd, requests);
	announce("sent");
	report_cut_offs({ fd });
	return 0;
}


// Lets the replies pile up in the target, for less than the time it waits for a peer
// that takes nothing, then reads them all.
int
read_late(const char* path, int requests)
{
	int fd = connect_to(path);
	if (fd < 0 || !send_pings(fd, requests))
		return 1;
	announce("sent");
	usleep(500000);
	FrameDecoder decoder;
	int replies = 0;
	bigtime_t deadline = system_time() + kWatchTime;
	while (replies < requests && system_time() < deadline) {
		pollfd entry = { fd, POLLIN, 0 };
		if (poll(&entry, 1, 100) <= 0)
			continue;
		uint8 buffer[64 * 1024];
		ssize_t bytes = recv(fd, buffer, sizeof(buffer), 0);
		if (bytes <= 0)
			break;
		decoder.Feed(buffer, bytes);
		Frame frame;
		while (decoder.Next(frame) == B_OK)
			replies += frame.kind == kReplyFrame;
	}
	printf("read %d\n", replies);
	fflush(stdout);
	return 0;
}


int
partial(const char* path, int count, size_t bytes)
{
	std::vector<int> connections;
	std::vector<uint8> start;
	append_frame_header(start, kMessageFrame, kMaxFrameBody);
	start.resize(kFrameHeaderSize + bytes, 0);
	for (int i = 0; i < count; i++) {
		int fd = connect_to(path);
		if (fd < 0)
			break;
		connections.push_back(fd);
		write_all(fd, start.data(), start.size());
	}
	announce("sent");
	report_cut_offs(connections);
	return 0;
}


int
split(const char* path, size_t megabytes)
{
	int fd = connect_to(path);
	if (fd < 0)
		return 1;
	// Messages for a port that does not exist are dropped unanswered, so that the only
	// thing the target keeps is what its decoder holds. Each write ends 100 bytes further
	// into a frame than the last.
	std::vector<uint8> frame = ping_frame(900, 0, 0);
	frame[kFrameHeaderSize] = 0x0f;
	frame[kFrameHeaderSize + 1] = 0x27;
	std::vector<uint8> stream;
	for (int i = 0; i < 128; i++)
		stream.insert(stream.end(), frame.begin(), frame.end());
	size_t chunk = 64 * frame.size() + 100;
	size_t total = megabytes * 1024 * 1024;
	size_t offset = 0;
	for (size_t sent = 0; sent < total; sent += chunk) {
		if (!write_all(fd, stream.data() + offset, chunk))
			break;
		offset = (offset + chunk) % frame.size();
	}
	announce("sent");
	report_cut_offs({ fd });
	return 0;
}


int
flood(const char* path, int messages, size_t bytes)
{
	int fd = connect_to(path);
	if (fd < 0)
		return 1;
	std::vector<uint8> frame = ping_frame(bytes, 0, 0);
	for (int i = 0; i < messages; i++) {
		if (!write_all(fd, frame.data(), frame.size()))
			break;
	}
	announce("sent");
	report_cut_offs({ fd });
	return 0;
}


int
hold(const char* path, int count)
{
	std::vector<int> connections;
	for (int i = 0; i < count; i++) {
		int fd = connect_to(path, false);
		if (fd < 0)
			break;
		connections.push_back(fd);
	}
	printf("held %zu\n", connections.size());
	fflush(stdout);
	report_cut_offs(connections);
	return 0;
}


// Listens where this process's application socket would be, with backlog; -1 on failure.
int
listen_as_application(const char* directory, int backlog, std::string* path = NULL)
{
	std::string socketPath = std::string(directory) + "/app-" + std::to_string(getpid());
	int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
	sockaddr_un address = {};
	address.sun_family = AF_UNIX;
	strncpy(address.sun_path, socketPath.c_str(), sizeof(address.sun_path) - 1);
	if (fd < 0 || bind(fd, (sockaddr*)&address, sizeof(address)) != 0
		|| listen(fd, backlog) != 0) {
		if (fd >= 0)
			close(fd);
		return -1;
	}
	if (path != NULL)
		*path = socketPath;
	return fd;
}


int
listen_without_accepting(const char* directory)
{
	std::string path;
	if (listen_as_application(directory, 0, &path) < 0)
		return 1;
	// Fill the queue until it takes no more.
	std::vector<int> queued;
	for (;;) {
		int client = connect_to(path.c_str(), false);
		if (client < 0)
			break;
		queued.push_back(client);
	}
	announce("ready");
	for (;;)
		pause();
}

// The frames that a connection's bytes held so far complete.
int
count_frames(const std::vector<uint8>& bytes)
{
	int frames = 0;
	size_t offset = 0;
	while (bytes.size() - offset >= kFrameHeaderSize) {
		uint32 body;
		memcpy(&body, bytes.data() + offset + 8, sizeof(body));
		if (bytes.size() - offset - kFrameHeaderSize < body)
			break;
		offset += kFrameHeaderSize + body;
		frames++;
	}
	return frames;
}


int
garble(const char* directory, int requests)
{
	int fd = listen_as_application(directory, 8);
	if (fd < 0)
		return 1;
	announce("ready");
	// Senders that connect at once may drop all but one of their connections.
	std::vector<pollfd> watched = { { fd, POLLIN, 0 } };
	std::vector<std::vector<uint8>> received(1);
	int frames = 0;
	uint8 buffer[65536];
	while (frames < requests) {
		if (poll(watched.data(), watched.size(), -1) < 0 && errno != EINTR)
			return 1;
		if ((watched[0].revents & POLLIN) != 0) {
			int client = accept4(fd, NULL, NULL, SOCK_CLOEXEC);
			if (client >= 0) {
				watched.push_back({ client, POLLIN, 0 });
				received.emplace_back();
			}
		}
		frames = 0;
		for (size_t i = 1; i < watched.size(); i++) {
			if ((watched[i].revents & (POLLIN | POLLHUP)) != 0) {
				ssize_t bytes = recv(watched[i].fd, buffer, sizeof(buffer), 0);
				if (bytes > 0)
					received[i].insert(received[i].end(), buffer, buffer + bytes);
				else
					watched[i].events = 0;
			}
			frames += count_frames(received[i]);
		}
	}
	const char garbage[] = "this is not a reply frame of the protocol";
	for (size_t i = 1; i < watched.size(); i++) {
		if (!received[i].empty())
			write_all(watched[i].fd, (const uint8*)garbage, sizeof(garbage));
	}
	announce("sent");
	for (;;)
		pause();
}

int
hang_up_after_each(const char* directory, int messages)
{
	int fd = listen_as_application(directory, 8);
	if (fd < 0)
		return 1;
	announce("ready");
	uint8 buffer[65536];
	for (int got = 0; got < messages;) {
		int client = accept4(fd, NULL, NULL, SOCK_CLOEXEC);
		if (client < 0)
			continue;
		std::vector<uint8> received;
		ssize_t bytes;
		while (count_frames(received) == 0
			&& (bytes = recv(client, buffer, sizeof(buffer), 0)) > 0)
			received.insert(received.end(), buffer, buffer + bytes);
		close(client);
		if (count_frames(received) > 0)
			announce(("got " + std::to_string(++got)).c_str());
	}
	for (;;)
		pause();
}

} // namespace


int
main(int argc, char** argv)
{
	if (argc < 3)
		return 2;
	std::string mode = argv[1];
	const char* target = argv[2];
	auto number = [&](int index) { return index < argc ? strtoull(argv[index], NULL, 10) : 0; };

	int status = 2;
	if (mode == "noread")
		status = no_read(target, (int)number(3));
	else if (mode == "slowread")
		status = read_late(target, (int)number(3));
	else if (mode == "partial")
		status = partial(target, (int)number(3), number(4));
	else if (mode == "split")
		status = split(target, number(3));
	else if (mode == "flood")
		status = flood(target, (int)number(3), number(4));
	else if (mode == "hold")
		status = hold(target, (int)number(3));
	else if (mode == "listen")
		return listen_without_accepting(target);
	else if (mode == "garble")
		return garble(target, (int)number(3));
	else if (mode == "hangup")
		return hang_up_after_each(target, (int)number(3));
	if (status != 0)
		return status;
	for (;;)
		pause();
}

// Another team for the tests of ports:
//
//	PortTestPeer create <name> <capacity>	makes a port, prints its id, and stays until
//											stopped (at most 30 s) without reading it
//	PortTestPeer write <port> <code> <text> <timeout>	writes one message, prints the status
//	PortTestPeer read <port> <timeout>		reads one message, prints "<code> <text>" or
//											"error <status>"
//	PortTestPeer info <name>		finds the port and prints its id, team and counts
//	PortTestPeer sleep				prints "ready" and stays (at most 30 s)
//	PortTestPeer delete <port>		waits (at most 5 s) until it owns the port, then deletes
//									it and prints the status
//	PortTestPeer garbage <team>		sends bytes that are not the protocol to the team's port
//									socket, prints "sent", and stays
//	PortTestPeer flood <team> <connections>	opens that many connections to the team's
//									port socket, each announcing the largest write and
//									sending half of it, prints "held <n>", and stays
#include <OS.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/PortWire.h"
#include "app/RuntimeDirectory.h"

using namespace BPrivate;

namespace {

const int kLifetime = 30;


int
connect_to(team_id team)
{
	std::string path;
	if (port_socket_path(team, path) != B_OK)
		return -1;
	int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
	sockaddr_un address = {};
	address.sun_family = AF_UNIX;
	strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
	if (fd < 0 || connect(fd, (sockaddr*)&address, sizeof(address)) != 0) {
		if (fd >= 0)
			close(fd);
		return -1;
	}
	return fd;
}


void
say(const char* format, long value)
{
	printf(format, value);
	fflush(stdout);
}

} // namespace


int
main(int argc, char** argv)
{
	std::string command = argc > 1 ? argv[1] : "";
	if (command == "create" && argc == 4) {
		port_id port = create_port(atoi(argv[3]), argv[2]);
		say("%ld\n", port);
		if (port < 0)
			return 1;
		sleep(kLifetime);
		return 0;
	}
	if (command == "write" && argc == 6) {
		status_t status = write_port_etc(atoi(argv[2]), atoi(argv[3]), argv[4],
			strlen(argv[4]), B_TIMEOUT, atoll(argv[5]));
		say("%ld\n", status);
		return 0;
	}
	if (command == "read" && argc == 4) {
		char buffer[1024];
		int32 code;
		ssize_t bytes = read_port_etc(atoi(argv[2]), &code, buffer, sizeof(buffer) - 1,
			B_TIMEOUT, atoll(argv[3]));
		if (bytes < 0) {
			say("error %ld\n", bytes);
			return 0;
		}
		buffer[bytes] = '\0';
		printf("%d %s\n", (int)code, buffer);
		return 0;
	}
	if (command == "info" && argc == 3) {
		port_id port = find_port(argv[2]);
		port_info info;
		status_t status = get_port_info(port, &info);
		if (status != B_OK) {
			say("error %ld\n", status);
			return 0;
		}
		printf("%d %d %d %d %s\n", (int)info.port, (int)info.team, (int)info.queue_count,
			(int)info.capacity, info.name);
		return 0;
	}
	if (command == "sleep" && argc == 2) {
		say("ready\n", 0);
		sleep(kLifetime);
		return 0;
	}
	if (command == "delete" && argc == 3) {
		port_id port = atoi(argv[2]);
		port_info info;
		for (int tries = 0; tries < 500 && (get_port_info(port, &info) != B_OK
				|| info.team != getpid()); tries++)
			snooze(10000);
		say("%ld\n", delete_port(port));
		return 0;
	}
	if (command == "garbage" && argc == 3) {
		team_id team = atoi(argv[2]);
		// A head of another protocol, a head with an unknown operation, a write larger
		// than any message, and a request followed by more bytes.
		std::vector<std::vector<uint8>> attempts;
		attempts.push_back(std::vector<uint8>(64, 0xab));
		PortRequest request;
		request.operation = kPortInfo;
		request.port = 1;
		std::vector<uint8> head;
		append_port_request(head, request);
		head[4] = 99;
		attempts.push_back(head);
		head.clear();
		request.operation = kPortWrite;
		request.size = kMaxPortMessageSize;
		append_port_request(head, request);
		head[16] = 0xff;
		head[19] = 0x7f;
		attempts.push_back(head);
		head.clear();
		request.operation = kPortInfo;
		request.size = 0;
		append_port_request(head, request);
		head.insert(head.end(), 16, 'x');
		attempts.push_back(head);
		for (const std::vector<uint8>& bytes : attempts) {
			int fd = connect_to(team);
			if (fd < 0)
				return 1;
			ssize_t sent = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
			(void)sent;
			close(fd);
		}
		say("sent\n", 0);
		sleep(kLifetime);
		return 0;
	}
	if (command == "flood" && argc == 4) {
		team_id team = atoi(argv[2]);
		int count = atoi(argv[3]);
		PortRequest request;
		request.operation = kPortWrite;
		request.port = 1;
		request.size = kMaxPortMessageSize;
		std::vector<uint8> bytes;
		append_port_request(bytes, request);
		bytes.resize(bytes.size() + kMaxPortMessageSize / 2, 'f');
		long held = 0;
		for (int i = 0; i < count; i++) {
			int fd = connect_to(team);
			if (fd < 0)
				break;
			timeval patience = { 0, 200000 };
			setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &patience, sizeof(patience));
			ssize_t sent = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
			(void)sent;
			held++;
		}
		say("held %ld\n", held);
		sleep(kLifetime);
		return 0;
	}
	fprintf(stderr, "usage: see the comment at the top of PortTestPeer.cpp\n");
	return 2;
}

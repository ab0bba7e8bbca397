// Ports: queues of messages within one team, and between two teams of the user, with
// peers that stop, end, or speak the port protocol badly.
#include <OS.h>

#include <gtest/gtest.h>

#include <signal.h>
#include <string.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/PortWire.h"
#include "TestRuntime.h"
#include "WaitFor.h"

namespace {

class PortsTest : public ::testing::Test {
protected:
	static std::string ReadFile(const std::string& path)
	{
		std::ifstream file(path);
		std::stringstream contents;
		contents << file.rdbuf();
		return contents.str();
	}

	// Starts PortTestPeer with the arguments, and waits (bounded) for its first line.
	std::string StartPeer(const std::vector<std::string>& arguments, pid_t* peer,
		const std::string& output)
	{
		std::string path = fRuntime.Directory() + "/" + output;
		*peer = fRuntime.Start("PortTestPeer", arguments, path);
		std::string text;
		wait_for([&] {
			text = ReadFile(path);
			return text.find('\n') != std::string::npos;
		});
		return text;
	}

	// Starts a peer holding a port, and gives the port's id.
	port_id StartOwner(const std::vector<std::string>& arguments, pid_t* peer)
	{
		return atoi(StartPeer(arguments, peer, arguments[0] + ".out").c_str());
	}

	// Runs a peer to its end; its output.
	std::string RunPeer(const std::vector<std::string>& arguments)
	{
		std::string output;
		EXPECT_EQ(fRuntime.Run("PortTestPeer", arguments, &output, kWaitTimeout), 0);
		return output;
	}

	static std::string Read(port_id port, bigtime_t timeout = kWaitTimeout)
	{
		char buffer[256];
		int32 code;
		ssize_t bytes = read_port_etc(port, &code, buffer, sizeof(buffer), B_TIMEOUT,
			timeout);
		if (bytes < 0)
			return "error " + std::to_string(bytes);
		return std::to_string(code) + " " + std::string(buffer, bytes);
	}

	TestRuntime fRuntime;
};

} // namespace


TEST_F(PortsTest, MessagesQueueInOrderUpToTheCapacity)
{
	port_id port = create_port(2, "two");
	ASSERT_GT(port, 0);
	ASSERT_EQ(write_port(port, 'one ', "first", 5), B_OK);
	ASSERT_EQ(write_port(port, 'two ', "second message", 14), B_OK);
	EXPECT_EQ(port_count(port), 2);
	EXPECT_EQ(port_buffer_size(port), 5);

	// Full: a writer waits as its timeout says.
	EXPECT_EQ(write_port_etc(port, 'thr ', "x", 1, B_TIMEOUT, 0), B_WOULD_BLOCK);
	bigtime_t start = system_time();
	EXPECT_EQ(write_port_etc(port, 'thr ', "x", 1, B_RELATIVE_TIMEOUT, 50000), B_TIMED_OUT);
	EXPECT_GE(system_time() - start, 50000);
	EXPECT_EQ(write_port_etc(port, 'thr ', "x", 1, B_ABSOLUTE_TIMEOUT, system_time() + 20000),
		B_TIMED_OUT);

	port_info info;
	ASSERT_EQ(get_port_info(port, &info), B_OK);
	EXPECT_EQ(info.port, port);
	EXPECT_EQ(info.team, getpid());
	EXPECT_STREQ(info.name, "two");
	EXPECT_EQ(info.capacity, 2);
	EXPECT_EQ(info.queue_count, 2);
	EXPECT_EQ(info.total_count, 0);

	EXPECT_EQ(Read(port), std::to_string('one ') + " first");
	// What does not fit the buffer is dropped with the message.
	char small[6];
	int32 code;
	EXPECT_EQ(read_port(port, &code, small, sizeof(small)), 6);
	EXPECT_EQ(code, 'two ');
	EXPECT_EQ(std::string(small, 6), "second");
	EXPECT_EQ(port_count(port), 0);
	EXPECT_EQ(read_port_etc(port, &code, small, sizeof(small), B_TIMEOUT, 0), B_WOULD_BLOCK);
	EXPECT_EQ(port_buffer_size_etc(port, B_TIMEOUT, 10000), B_TIMED_OUT);
	ASSERT_EQ(get_port_info(port, &info), B_OK);
	EXPECT_EQ(info.total_count, 2);

	// Empty messages, and the largest.
	EXPECT_EQ(write_port(port, 7, NULL, 0), B_OK);
	EXPECT_EQ(read_port(port, &code, NULL, 0), 0);
	EXPECT_EQ(code, 7);
	std::vector<char> largest(BPrivate::kMaxPortMessageSize, 'L');
	EXPECT_EQ(write_port(port, 8, largest.data(), largest.size() + 1), B_BAD_VALUE);
	ASSERT_EQ(write_port(port, 8, largest.data(), largest.size()), B_OK);
	EXPECT_EQ(port_buffer_size(port), (ssize_t)largest.size());
	std::vector<char> back(largest.size());
	EXPECT_EQ(read_port(port, &code, back.data(), back.size()), (ssize_t)back.size());
	EXPECT_EQ(back, largest);
	EXPECT_EQ(delete_port(port), B_OK);
}


TEST_F(PortsTest, WaitersWakeWhenTheOtherSideComes)
{
	port_id port = create_port(1, "handover");
	ASSERT_GT(port, 0);
	std::string received;
	std::thread reader([&] { received = Read(port); });
	snooze(50000);
	ASSERT_EQ(write_port(port, 1, "one", 3), B_OK);
	reader.join();
	EXPECT_EQ(received, "1 one");

	ASSERT_EQ(write_port(port, 2, "two", 3), B_OK);
	status_t written = B_ERROR;
	std::thread writer([&] {
		written = write_port_etc(port, 3, "three", 5, B_TIMEOUT, kWaitTimeout);
	});
	snooze(50000);
	EXPECT_EQ(Read(port), "2 two");
	writer.join();
	EXPECT_EQ(written, B_OK);
	EXPECT_EQ(Read(port), "3 three");
	EXPECT_EQ(delete_port(port), B_OK);
}


TEST_F(PortsTest, AClosedPortIsDrainedAndADeletedOneWakesEveryWaiter)
{
	port_id port = create_port(4, "closing");
	ASSERT_GT(port, 0);
	ASSERT_EQ(write_port(port, 1, "kept", 4), B_OK);
	ASSERT_EQ(close_port(port), B_OK);
	EXPECT_EQ(write_port(port, 2, "refused", 7), B_BAD_PORT_ID);
	EXPECT_EQ(Read(port), "1 kept");
	EXPECT_EQ(Read(port), "error " + std::to_string(B_BAD_PORT_ID));
	port_info info;
	EXPECT_EQ(get_port_info(port, &info), B_OK);
	EXPECT_EQ(delete_port(port), B_OK);

	// A reader of an empty port and a writer of a full one.
	port_id empty = create_port(1, "empty");
	port_id full = create_port(1, "full");
	ASSERT_GT(empty, 0);
	ASSERT_GT(full, 0);
	ASSERT_EQ(write_port(full, 1, "x", 1), B_OK);
	std::string read;
	status_t written = B_ERROR;
	std::thread reader([&] { read = Read(empty); });
	std::thread writer([&] { written = write_port(full, 2, "y", 1); });
	snooze(50000);
	bigtime_t start = system_time();
	EXPECT_EQ(delete_port(empty), B_OK);
	EXPECT_EQ(delete_port(full), B_OK);
	reader.join();
	writer.join();
	EXPECT_LT(system_time() - start, kWaitTimeout);
	EXPECT_EQ(read, "error " + std::to_string(B_BAD_PORT_ID));
	EXPECT_EQ(written, B_BAD_PORT_ID);
	EXPECT_EQ(delete_port(full), B_BAD_PORT_ID);
	EXPECT_EQ(get_port_info(full, &info), B_BAD_PORT_ID);
	EXPECT_EQ(port_count(full), B_BAD_PORT_ID);
	EXPECT_EQ(find_port("full"), B_NAME_NOT_FOUND);
}


TEST_F(PortsTest, PortsAreFoundByNameAndListedByTeam)
{
	port_id first = create_port(3, "listed one");
	port_id second = create_port(5, "a name longer than the thirty-one bytes kept");
	ASSERT_GT(first, 0);
	ASSERT_GT(second, 0);
	EXPECT_NE(first, second);
	EXPECT_EQ(find_port("listed one"), first);
	EXPECT_EQ(find_port("a name longer than the thirty-o"), second);
	EXPECT_EQ(find_port("no such port"), B_NAME_NOT_FOUND);
	EXPECT_EQ(find_port(NULL), B_BAD_VALUE);

	std::vector<port_id> listed;
	int32 cookie = 0;
	port_info info;
	while (get_next_port_info(0, &cookie, &info) == B_OK) {
		EXPECT_EQ(info.team, getpid());
		listed.push_back(info.port);
	}
	EXPECT_EQ(listed, (std::vector<port_id>{ first, second }));
	long longCookie = 0;
	EXPECT_EQ(get_next_port_info(getpid(), &longCookie, &info), B_OK);
	EXPECT_EQ(info.port, first);
	cookie = 0;
	EXPECT_EQ(get_next_port_info(999999999, &cookie, &info), B_BAD_TEAM_ID);

	EXPECT_EQ(create_port(0, "none"), B_BAD_VALUE);
	EXPECT_EQ(create_port(4097, "too many"), B_BAD_VALUE);
	int32 code;
	EXPECT_EQ(read_port(first, NULL, NULL, 0), B_BAD_VALUE);
	EXPECT_EQ(write_port(first, 1, NULL, 4), B_BAD_VALUE);
	EXPECT_EQ(read_port(123456, &code, NULL, 0), B_BAD_PORT_ID);
	EXPECT_EQ(get_port_info(first, (port_info*)NULL), B_BAD_VALUE);
	EXPECT_EQ(set_port_owner(first, 999999999), B_BAD_TEAM_ID);
	EXPECT_EQ(delete_port(first), B_OK);
	EXPECT_EQ(delete_port(second), B_OK);
}


TEST_F(PortsTest, RecordsThatNameNoLivingPortOfTheUserAreRefused)
{
	// A record of process 1 (another user's, or one that holds no ports), one of a team
	// that has ended, and bytes that are no record.
	std::string folder = fRuntime.Directory() + "/ports/";
	std::ofstream(folder + "60001") << "port1 1 1 4 696e6974\n";
	std::ofstream(folder + "60002") << "port1 999999999 999999999 4 676f6e65\n";
	std::ofstream(folder + "60003") << std::string(4096, 'x');
	EXPECT_EQ(find_port("gone"), B_NAME_NOT_FOUND);
	EXPECT_NE(access((folder + "60002").c_str(), F_OK), 0);
	for (port_id port : { 60001, 60002, 60003 }) {
		bigtime_t start = system_time();
		EXPECT_EQ(write_port_etc(port, 1, "x", 1, B_TIMEOUT, 0), B_BAD_PORT_ID) << port;
		port_info info;
		EXPECT_EQ(get_port_info(port, &info), B_BAD_PORT_ID) << port;
		EXPECT_LT(system_time() - start, 1000000) << port;
	}
}


TEST_F(PortsTest, AnotherTeamWritesToAndReadsFromThisTeamsPort)
{
	port_id port = create_port(4, "parent's port");
	ASSERT_GT(port, 0);
	EXPECT_EQ(RunPeer({ "write", std::to_string(port), "42", "from the child", "1000000" }),
		"0\n");
	EXPECT_EQ(Read(port), "42 from the child");

	ASSERT_EQ(write_port(port, 43, "for the child", 13), B_OK);
	EXPECT_EQ(RunPeer({ "info", "parent's port" }),
		std::to_string(port) + " " + std::to_string(getpid()) + " 1 4 parent's port\n");
	EXPECT_EQ(RunPeer({ "read", std::to_string(port), "1000000" }), "43 for the child\n");
	EXPECT_EQ(port_count(port), 0);
	EXPECT_EQ(RunPeer({ "read", std::to_string(port), "0" }),
		"error " + std::to_string(B_WOULD_BLOCK) + "\n");
	EXPECT_EQ(delete_port(port), B_OK);
	EXPECT_EQ(RunPeer({ "write", std::to_string(port), "1", "late", "0" }),
		std::to_string(B_BAD_PORT_ID) + "\n");
}


TEST_F(PortsTest, ThisTeamUsesAnotherTeamsPort)
{
	pid_t peer;
	port_id port = StartOwner({ "create", "peer's port", "2" }, &peer);
	ASSERT_GT(port, 0);
	EXPECT_EQ(find_port("peer's port"), port);
	port_info info;
	ASSERT_EQ(get_port_info(port, &info), B_OK);
	EXPECT_EQ(info.team, peer);
	EXPECT_EQ(info.capacity, 2);
	int32 cookie = 0;
	ASSERT_EQ(get_next_port_info(peer, &cookie, &info), B_OK);
	EXPECT_EQ(info.port, port);

	ASSERT_EQ(write_port(port, 1, "first", 5), B_OK);
	ASSERT_EQ(write_port_etc(port, 2, "second", 6, B_TIMEOUT, kWaitTimeout), B_OK);
	EXPECT_EQ(port_count(port), 2);
	EXPECT_EQ(port_buffer_size(port), 5);
	EXPECT_EQ(write_port_etc(port, 3, "x", 1, B_TIMEOUT, 0), B_WOULD_BLOCK);
	bigtime_t start = system_time();
	EXPECT_EQ(write_port_etc(port, 3, "x", 1, B_TIMEOUT, 100000), B_TIMED_OUT);
	EXPECT_GE(system_time() - start, 100000);
	EXPECT_LT(system_time() - start, kWaitTimeout);
	// Any team may read; only the owner closes or deletes.
	EXPECT_EQ(Read(port), "1 first");
	EXPECT_EQ(close_port(port), B_NOT_ALLOWED);
	EXPECT_EQ(delete_port(port), B_NOT_ALLOWED);
	EXPECT_EQ(set_port_owner(port, getpid()), B_NOT_ALLOWED);
	EXPECT_EQ(Read(port), "2 second");
}


TEST_F(PortsTest, AStoppedOwnerOnlyMakesWritersWaitTheirTimeout)
{
	pid_t peer;
	port_id port = StartOwner({ "create", "stopped", "8" }, &peer);
	ASSERT_GT(port, 0);
	ASSERT_TRUE(fRuntime.Suspend(peer));
	bigtime_t start = system_time();
	EXPECT_EQ(write_port_etc(port, 1, "x", 1, B_TIMEOUT, 200000), B_TIMED_OUT);
	EXPECT_EQ(port_buffer_size_etc(port, B_TIMEOUT, 100000), B_TIMED_OUT);
	EXPECT_LT(system_time() - start, 2000000);
	// What asks no wait gives up after a moment.
	port_info info;
	EXPECT_EQ(get_port_info(port, &info), B_TIMED_OUT);
	ASSERT_EQ(kill(peer, SIGCONT), 0);
	EXPECT_EQ(write_port_etc(port, 2, "y", 1, B_TIMEOUT, kWaitTimeout), B_OK);
}


TEST_F(PortsTest, TheOwnerEndingWakesABlockedWriter)
{
	pid_t peer;
	port_id port = StartOwner({ "create", "ending", "1" }, &peer);
	ASSERT_GT(port, 0);
	ASSERT_EQ(write_port(port, 1, "fills it", 8), B_OK);
	status_t written = B_ERROR;
	bigtime_t ended = 0;
	std::thread writer([&] {
		written = write_port_etc(port, 2, "waits", 5, B_TIMEOUT, 20000000);
		ended = system_time();
	});
	snooze(100000);
	bigtime_t start = system_time();
	ASSERT_GE(fRuntime.Stop(peer, SIGKILL), 0);
	writer.join();
	EXPECT_EQ(written, B_BAD_PORT_ID);
	EXPECT_LT(ended - start, kWaitTimeout);
	EXPECT_EQ(find_port("ending"), B_NAME_NOT_FOUND);
	EXPECT_EQ(write_port(port, 3, "gone", 4), B_BAD_PORT_ID);
}


TEST_F(PortsTest, APortEndsWithTheTeamGivenIt)
{
	pid_t peer;
	ASSERT_EQ(StartPeer({ "sleep" }, &peer, "sleep.out"), "ready\n");
	port_id port = create_port(1, "given away");
	ASSERT_GT(port, 0);
	ASSERT_EQ(set_port_owner(port, peer), B_OK);
	port_info info;
	ASSERT_EQ(get_port_info(port, &info), B_OK);
	EXPECT_EQ(info.team, peer);
	int32 cookie = 0;
	ASSERT_EQ(get_next_port_info(peer, &cookie, &info), B_OK);
	EXPECT_EQ(info.port, port);
	cookie = 0;
	EXPECT_EQ(get_next_port_info(0, &cookie, &info), B_BAD_PORT_ID);

	ASSERT_GE(fRuntime.Stop(peer, SIGKILL), 0);
	EXPECT_TRUE(wait_for([&] { return get_port_info(port, &info) == B_BAD_PORT_ID; }));
}


TEST_F(PortsTest, TheTeamGivenAPortDeletesIt)
{
	port_id port = create_port(1, "to be deleted");
	ASSERT_GT(port, 0);
	std::string read;
	std::thread reader([&] { read = Read(port); });
	std::string output = fRuntime.Directory() + "/delete.out";
	pid_t peer = fRuntime.Start("PortTestPeer", { "delete", std::to_string(port) }, output);
	ASSERT_EQ(set_port_owner(port, peer), B_OK);
	EXPECT_EQ(fRuntime.Wait(peer), 0);
	EXPECT_EQ(ReadFile(output), "0\n");
	reader.join();
	EXPECT_EQ(read, "error " + std::to_string(B_BAD_PORT_ID));
	port_info info;
	EXPECT_EQ(get_port_info(port, &info), B_BAD_PORT_ID);
}


TEST_F(PortsTest, HostilePeersNeitherCorruptNorFreezeThePortsHolder)
{
	port_id port = create_port(4, "attacked");
	ASSERT_GT(port, 0);
	pid_t garbage;
	EXPECT_EQ(StartPeer({ "garbage", std::to_string(getpid()) }, &garbage, "garbage.out"),
		"sent\n");
	pid_t flood;
	std::string held = StartPeer({ "flood", std::to_string(getpid()), "80" }, &flood,
		"flood.out");
	EXPECT_EQ(held.rfind("held ", 0), 0u) << held;

	// This team's own use of the port never waits on the host.
	bigtime_t start = system_time();
	ASSERT_EQ(write_port(port, 1, "local", 5), B_OK);
	EXPECT_EQ(Read(port), "1 local");
	EXPECT_LT(system_time() - start, 100000);

	// A well-behaved writer gets through once the stalled connections are dropped, and
	// nothing the hostile peers sent was queued.
	EXPECT_EQ(RunPeer({ "write", std::to_string(port), "2", "honest", "10000000" }), "0\n");
	EXPECT_EQ(port_count(port), 1);
	EXPECT_EQ(Read(port), "2 honest");
	EXPECT_EQ(delete_port(port), B_OK);
}

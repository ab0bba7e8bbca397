// Areas: memory of one team, and memory shared with another team of the user through
// clone_area, with records that a hostile team may have written.
#include <OS.h>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <string.h>
#include <sys/mman.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

#include "TestRuntime.h"
#include "WaitFor.h"

namespace {

class AreasTest : public ::testing::Test {
protected:
	// The records of the user's areas, in the test's own runtime directory.
	std::string RecordPath(area_id id) const
	{
		return fRuntime.Directory() + "/areas/" + std::to_string(id);
	}

	static std::string ReadFile(const std::string& path)
	{
		std::ifstream file(path);
		std::stringstream contents;
		contents << file.rdbuf();
		return contents.str();
	}

	// Starts AreaTestPeer create, and waits (bounded) for the id it prints.
	area_id StartCreator(const char* name, const char* text, pid_t* peer)
	{
		std::string output = fRuntime.Directory() + "/creator.out";
		*peer = fRuntime.Start("AreaTestPeer", { "create", name, text }, output);
		area_id id = -1;
		wait_for([&] {
			id = atoi(ReadFile(output).c_str());
			return id > 0;
		});
		return id;
	}

	TestRuntime fRuntime;
};

} // namespace


TEST_F(AreasTest, AnAreaOfThisTeam)
{
	// Room to grow into: four free pages, of which the area takes the first two.
	void* address = mmap(NULL, 4 * B_PAGE_SIZE, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
	ASSERT_NE(address, MAP_FAILED);
	ASSERT_EQ(munmap(address, 4 * B_PAGE_SIZE), 0);
	void* wanted = address;
	area_id area = create_area("local area", &address, B_EXACT_ADDRESS, 2 * B_PAGE_SIZE,
		B_NO_LOCK, B_READ_AREA | B_WRITE_AREA);
	ASSERT_GT(area, 0);
	ASSERT_EQ(address, wanted);
	memset(address, 0x5a, 2 * B_PAGE_SIZE);
	EXPECT_EQ(area_for(address), area);
	EXPECT_EQ(area_for((uint8*)address + 2 * B_PAGE_SIZE - 1), area);
	EXPECT_EQ(area_for((uint8*)address + 2 * B_PAGE_SIZE), B_ERROR);
	EXPECT_EQ(find_area("local area"), area);

	area_info info;
	ASSERT_EQ(get_area_info(area, &info), B_OK);
	EXPECT_EQ(info.area, area);
	EXPECT_STREQ(info.name, "local area");
	EXPECT_EQ(info.size, (size_t)2 * B_PAGE_SIZE);
	EXPECT_EQ(info.team, getpid());
	EXPECT_EQ(info.address, address);
	EXPECT_EQ(info.protection, (uint32)(B_READ_AREA | B_WRITE_AREA));

	int32 cookie = 0;
	bool listed = false;
	while (get_next_area_info(0, &cookie, &info) == B_OK)
		listed |= info.area == area;
	EXPECT_TRUE(listed);

	// Growing keeps what it held, in place.
	ASSERT_EQ(resize_area(area, 4 * B_PAGE_SIZE), B_OK);
	EXPECT_EQ(((uint8*)address)[2 * B_PAGE_SIZE - 1], 0x5a);
	((uint8*)address)[4 * B_PAGE_SIZE - 1] = 1;
	ASSERT_EQ(get_area_info(area, &info), B_OK);
	EXPECT_EQ(info.size, (size_t)4 * B_PAGE_SIZE);
	ASSERT_EQ(resize_area(area, B_PAGE_SIZE), B_OK);
	EXPECT_EQ(area_for((uint8*)address + B_PAGE_SIZE), B_ERROR);
	EXPECT_EQ(resize_area(area, 100), B_BAD_VALUE);

	ASSERT_EQ(set_area_protection(area, B_READ_AREA), B_OK);
	ASSERT_EQ(get_area_info(area, &info), B_OK);
	EXPECT_EQ(info.protection, (uint32)B_READ_AREA);

	ASSERT_EQ(delete_area(area), B_OK);
	EXPECT_EQ(delete_area(area), B_BAD_VALUE);
	EXPECT_EQ(get_area_info(area, &info), B_BAD_VALUE);
	EXPECT_EQ(area_for(address), B_ERROR);
	EXPECT_EQ(find_area("local area"), B_NAME_NOT_FOUND);
}


TEST_F(AreasTest, WrongArgumentsAreRefused)
{
	void* address = NULL;
	EXPECT_EQ(create_area("odd", &address, B_ANY_ADDRESS, 100, B_NO_LOCK, B_READ_AREA),
		B_BAD_VALUE);
	EXPECT_EQ(create_area("none", &address, B_ANY_ADDRESS, 0, B_NO_LOCK, B_READ_AREA),
		B_BAD_VALUE);
	EXPECT_EQ(create_area("nowhere", NULL, B_ANY_ADDRESS, B_PAGE_SIZE, B_NO_LOCK,
		B_READ_AREA), B_BAD_VALUE);
	EXPECT_EQ(clone_area("clone", &address, B_ANY_ADDRESS, B_READ_AREA, 54321), B_BAD_VALUE);
	EXPECT_EQ(find_area("no such area"), B_NAME_NOT_FOUND);
	area_info info;
	int32 cookie = 0;
	EXPECT_EQ(get_next_area_info(999999999, &cookie, &info), B_BAD_TEAM_ID);

	// An exact address that is taken.
	void* first = NULL;
	area_id area = create_area("taken", &first, B_ANY_ADDRESS, B_PAGE_SIZE, B_FULL_LOCK,
		B_READ_AREA | B_WRITE_AREA);
	ASSERT_GT(area, 0);
	void* same = first;
	EXPECT_EQ(create_area("exact", &same, B_EXACT_ADDRESS, B_PAGE_SIZE, B_NO_LOCK,
		B_READ_AREA), B_NO_MEMORY);
	EXPECT_EQ(delete_area(area), B_OK);
}


TEST_F(AreasTest, AnotherTeamClonesAndChangesThisTeamsArea)
{
	void* address = NULL;
	area_id area = create_area("shared by parent", &address, B_ANY_ADDRESS, B_PAGE_SIZE,
		B_NO_LOCK, B_READ_AREA | B_WRITE_AREA);
	ASSERT_GT(area, 0);
	strcpy((char*)address, "from the parent");

	std::string output;
	ASSERT_EQ(fRuntime.Run("AreaTestPeer", { "clone", std::to_string(area), "from the child" },
		&output, kWaitTimeout), 0) << output;
	EXPECT_EQ(output, "from the parent\n");
	EXPECT_STREQ((const char*)address, "from the child");
	EXPECT_EQ(delete_area(area), B_OK);
}


TEST_F(AreasTest, ThisTeamClonesAnotherTeamsAreaWhichOutlivesIt)
{
	pid_t peer;
	area_id area = StartCreator("shared by peer", "from the peer", &peer);
	ASSERT_GT(area, 0);
	EXPECT_EQ(find_area("shared by peer"), area);
	area_info info;
	ASSERT_EQ(get_area_info(area, &info), B_OK);
	EXPECT_EQ(info.team, peer);
	EXPECT_EQ(info.size, (size_t)B_PAGE_SIZE);
	int32 cookie = 0;
	ASSERT_EQ(get_next_area_info(peer, &cookie, &info), B_OK);
	EXPECT_EQ(info.area, area);
	// Only the team that owns an area changes or deletes it.
	EXPECT_EQ(delete_area(area), B_BAD_VALUE);
	EXPECT_EQ(resize_area(area, 2 * B_PAGE_SIZE), B_BAD_VALUE);

	void* address = NULL;
	area_id clone = clone_area("my clone", &address, B_ANY_ADDRESS, B_READ_AREA, area);
	ASSERT_GT(clone, 0);
	EXPECT_NE(clone, area);
	EXPECT_STREQ((const char*)address, "from the peer");
	ASSERT_EQ(get_area_info(clone, &info), B_OK);
	EXPECT_EQ(info.team, getpid());

	ASSERT_GE(fRuntime.Stop(peer, SIGKILL), 0);
	// Its area goes with the team; the clone keeps the memory.
	EXPECT_EQ(find_area("shared by peer"), B_NAME_NOT_FOUND);
	EXPECT_EQ(get_area_info(area, &info), B_BAD_VALUE);
	EXPECT_STREQ((const char*)address, "from the peer");
	EXPECT_EQ(delete_area(clone), B_OK);
}


TEST_F(AreasTest, RecordsThatNameNoAreaAreRefusedWithoutWaiting)
{
	// A record's file names a descriptor of a team that lives (this one): a pipe, an
	// unsealed memory file, and bytes that are no record.
	int pipeEnds[2];
	ASSERT_EQ(pipe(pipeEnds), 0);
	int unsealed = memfd_create("unsealed", MFD_CLOEXEC);
	ASSERT_GE(unsealed, 0);
	ASSERT_EQ(ftruncate(unsealed, B_PAGE_SIZE), 0);

	void* address = NULL;
	area_id real = create_area("real", &address, B_ANY_ADDRESS, B_PAGE_SIZE, B_NO_LOCK,
		B_READ_AREA);
	ASSERT_GT(real, 0);
	const std::pair<area_id, std::string> kRecords[] = {
		{ 60001, "area1 " + std::to_string(getpid()) + " " + std::to_string(pipeEnds[0])
			+ " 4096 0 3 0 6f6e65\n" },
		{ 60002, "area1 " + std::to_string(getpid()) + " " + std::to_string(unsealed)
			+ " 4096 0 3 0 74776f\n" },
		{ 60003, "area1 " + std::to_string(getpid()) + " 3 4096 0 3 0 zz\n" },
		{ 60004, std::string(4096, 'x') },
	};
	for (const auto& [id, text] : kRecords) {
		std::ofstream(RecordPath(id)) << text;
		bigtime_t start = system_time();
		void* clone = NULL;
		EXPECT_EQ(clone_area("clone", &clone, B_ANY_ADDRESS, B_READ_AREA, id), B_BAD_VALUE)
			<< id;
		EXPECT_LT(system_time() - start, 1000000) << id;
	}
	EXPECT_EQ(find_area("two"), 60002);

	// A record of a team that has ended is forgotten.
	std::ofstream(RecordPath(60005)) << "area1 999999999 3 4096 0 3 0 6f6c64\n";
	EXPECT_EQ(find_area("old"), B_NAME_NOT_FOUND);
	EXPECT_NE(access(RecordPath(60005).c_str(), F_OK), 0);

	EXPECT_EQ(delete_area(real), B_OK);
	close(pipeEnds[0]);
	close(pipeEnds[1]);
	close(unsealed);
}

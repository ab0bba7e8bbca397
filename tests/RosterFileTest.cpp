// The registrar's files in the runtime directory when another process of the user has put
// something else in their place: FIFOs are neither waited on nor kept, links are neither
// followed nor written through, and the registrar goes on serving and stopping.
#include <Roster.h>

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

#include "TestRuntime.h"

namespace {

const char* kApp = "application/x-vnd.test-roster-file";
const bigtime_t kStopTimeout = 2000000;


std::string
contents(const std::string& path)
{
	std::ifstream file(path);
	std::stringstream text;
	text << file.rdbuf();
	return text.str();
}


bool
is_regular(const std::string& path)
{
	struct stat info;
	return lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}


class RosterFileTest : public ::testing::Test {
protected:
	std::string Path(const char* name) const { return fRuntime.Directory() + "/" + name; }

	// A registration makes the registrar save its roster.
	void RegisterAnApplication()
	{
		ASSERT_EQ(fRuntime.StartRegistrar(), B_OK);
		fRuntime.Start("KitTestApp", { kApp });
		EXPECT_TRUE(fRuntime.WaitForApp(kApp));
	}

	TestRuntime fRuntime;
};

} // namespace


TEST_F(RosterFileTest, AFifoInPlaceOfTheRosterIsNeitherReadNorKept)
{
	ASSERT_EQ(mkfifo(Path("registrar.roster").c_str(), 0600), 0);
	RegisterAnApplication();
	EXPECT_TRUE(is_regular(Path("registrar.roster")));
	EXPECT_TRUE(fRuntime.SignalRegistrar(SIGTERM, kStopTimeout));
}


TEST_F(RosterFileTest, AFifoInPlaceOfTheTemporaryIsReplaced)
{
	ASSERT_EQ(mkfifo(Path("registrar.roster.new").c_str(), 0600), 0);
	RegisterAnApplication();
	EXPECT_TRUE(is_regular(Path("registrar.roster")));
	EXPECT_NE(access(Path("registrar.roster.new").c_str(), F_OK), 0);
	EXPECT_TRUE(fRuntime.SignalRegistrar(SIGTERM, kStopTimeout));
}


TEST_F(RosterFileTest, LinksInPlaceOfTheFilesAreNotFollowed)
{
	std::string target = Path("target");
	std::string readTarget = Path("read-target");
	std::ofstream(target) << "precious";
	std::ofstream(readTarget) << "not a roster";
	ASSERT_EQ(symlink(target.c_str(), Path("registrar.roster.new").c_str()), 0);
	ASSERT_EQ(symlink(readTarget.c_str(), Path("registrar.roster").c_str()), 0);

	RegisterAnApplication();
	EXPECT_EQ(contents(target), "precious");
	EXPECT_EQ(contents(readTarget), "not a roster");
	EXPECT_TRUE(is_regular(Path("registrar.roster")));
	EXPECT_TRUE(fRuntime.SignalRegistrar(SIGTERM, kStopTimeout));
}


TEST_F(RosterFileTest, ARegistrarWhoseLockIsNoFileLeavesWithAnError)
{
	ASSERT_EQ(mkfifo(Path("registrar.lock").c_str(), 0600), 0);
	pid_t registrar = fRuntime.Start("registrar");
	int status = fRuntime.Wait(registrar, kStopTimeout);
	ASSERT_TRUE(WIFEXITED(status));
	EXPECT_EQ(WEXITSTATUS(status), 1);
}

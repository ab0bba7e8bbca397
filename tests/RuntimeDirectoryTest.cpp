// Where the kit puts its sockets: the override, the private mode, and what it refuses.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "ScratchDirectory.h"
#include "app/RuntimeDirectory.h"

namespace {

class RuntimeDirectoryTest : public ::testing::Test {
protected:
	void TearDown() override
	{
		unsetenv(BPrivate::kRuntimeDirEnvironment);
	}

	ScratchDirectory fScratch{"runtime-directory"};
};

} // namespace


TEST_F(RuntimeDirectoryTest, TheOverrideIsMadePrivate)
{
	std::string wanted = fScratch / "runtime";
	setenv(BPrivate::kRuntimeDirEnvironment, wanted.c_str(), 1);
	std::string path;
	ASSERT_EQ(BPrivate::runtime_directory(path), B_OK);
	EXPECT_EQ(path, wanted);
	struct stat info;
	ASSERT_EQ(stat(path.c_str(), &info), 0);
	EXPECT_EQ(info.st_mode & 0777, 0700u);

	// One that others may enter is closed up again.
	chmod(path.c_str(), 0755);
	ASSERT_EQ(BPrivate::runtime_directory(path), B_OK);
	ASSERT_EQ(stat(path.c_str(), &info), 0);
	EXPECT_EQ(info.st_mode & 0777, 0700u);

	std::string socket;
	ASSERT_EQ(BPrivate::app_socket_path(1234, socket), B_OK);
	EXPECT_EQ(socket, wanted + "/app-1234");
	ASSERT_EQ(BPrivate::registrar_socket_path(socket), B_OK);
	EXPECT_EQ(socket, wanted + "/registrar");
}


TEST_F(RuntimeDirectoryTest, RefusesWhatIsNotAPrivateDirectory)
{
	std::string file = fScratch / "file";
	FILE* handle = fopen(file.c_str(), "w");
	fclose(handle);
	setenv(BPrivate::kRuntimeDirEnvironment, file.c_str(), 1);
	std::string path;
	EXPECT_EQ(BPrivate::runtime_directory(path), B_NOT_A_DIRECTORY);

	std::string link = fScratch / "link";
	ASSERT_EQ(symlink(fScratch.Path().c_str(), link.c_str()), 0);
	setenv(BPrivate::kRuntimeDirEnvironment, link.c_str(), 1);
	EXPECT_EQ(BPrivate::runtime_directory(path), B_NOT_A_DIRECTORY);

	// Socket names have a length limit.
	std::string deep = fScratch / std::string(100, 'd');
	setenv(BPrivate::kRuntimeDirEnvironment, deep.c_str(), 1);
	EXPECT_EQ(BPrivate::app_socket_path(1, path), B_NAME_TOO_LONG);
}

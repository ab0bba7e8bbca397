// The images of a team: loading the test add-on, its symbols and its information, the
// listing of the team's images, and a new team started stopped by load_image.
#include <image.h>

#include <gtest/gtest.h>

#include <string.h>
#include <unistd.h>

#include <set>
#include <string>

#include "ScratchDirectory.h"
#include "TestRuntime.h"

namespace {

std::string
add_on_path()
{
	return TestRuntime::BinaryPath("TestAddOn.so");
}


class AddOnTest : public testing::Test {
protected:
	void SetUp() override
	{
		fImage = load_add_on(add_on_path().c_str());
		ASSERT_GE(fImage, 0) << strerror(fImage);
	}

	void TearDown() override
	{
		if (fImage >= 0) {
			EXPECT_EQ(unload_add_on(fImage), B_OK);
		}
	}

	image_id fImage = -1;
};

} // namespace


TEST_F(AddOnTest, FindsItsFunctionAndItsData)
{
	void* function = nullptr;
	ASSERT_EQ(get_image_symbol(fImage, "test_add_on_twice", B_SYMBOL_TYPE_TEXT, &function),
		B_OK);
	EXPECT_EQ(((int32 (*)(int32))function)(21), 42);

	void* value = nullptr;
	ASSERT_EQ(get_image_symbol(fImage, "test_add_on_value", B_SYMBOL_TYPE_DATA, &value),
		B_OK);
	EXPECT_EQ(*(int32*)value, 42);
	void* any = nullptr;
	ASSERT_EQ(get_image_symbol(fImage, "test_add_on_value", B_SYMBOL_TYPE_ANY, &any), B_OK);
	EXPECT_EQ(any, value);
}


TEST_F(AddOnTest, RefusesSymbolsOfTheWrongTypeOrOfOtherImages)
{
	void* location = nullptr;
	EXPECT_EQ(get_image_symbol(fImage, "test_add_on_value", B_SYMBOL_TYPE_TEXT, &location),
		B_ENTRY_NOT_FOUND);
	EXPECT_EQ(get_image_symbol(fImage, "test_add_on_twice", B_SYMBOL_TYPE_DATA, &location),
		B_ENTRY_NOT_FOUND);
	EXPECT_EQ(get_image_symbol(fImage, "no_such_symbol", B_SYMBOL_TYPE_ANY, &location),
		B_ENTRY_NOT_FOUND);
	// The add-on links the C library, whose symbols are not the add-on's.
	EXPECT_EQ(get_image_symbol(fImage, "malloc", B_SYMBOL_TYPE_ANY, &location),
		B_ENTRY_NOT_FOUND);
	EXPECT_EQ(get_image_symbol(-5, "malloc", B_SYMBOL_TYPE_ANY, &location), B_BAD_IMAGE_ID);
	EXPECT_EQ(location, nullptr);
}


TEST_F(AddOnTest, ListsItsSymbolsByIndex)
{
	std::set<std::string> names;
	void* twice = nullptr;
	for (int32 n = 0;; n++) {
		char name[256];
		int32 length = sizeof(name);
		int32 type = 0;
		void* location = nullptr;
		status_t status = get_nth_image_symbol(fImage, n, name, &length, &type, &location);
		if (status == B_BAD_INDEX)
			break;
		ASSERT_EQ(status, B_OK);
		ASSERT_LT(n, 10000);
		EXPECT_EQ(length, (int32)strlen(name) + 1);
		names.insert(name);
		if (strcmp(name, "test_add_on_twice") == 0) {
			EXPECT_EQ(type, B_SYMBOL_TYPE_TEXT);
			twice = location;
		}
		if (strcmp(name, "test_add_on_value") == 0) {
			EXPECT_EQ(type, B_SYMBOL_TYPE_DATA);
		}
	}
	EXPECT_EQ(names.count("test_add_on_twice"), 1u);
	EXPECT_EQ(names.count("test_add_on_value"), 1u);
	void* found = nullptr;
	ASSERT_EQ(get_image_symbol(fImage, "test_add_on_twice", B_SYMBOL_TYPE_TEXT, &found), B_OK);
	EXPECT_EQ(twice, found);
}


TEST_F(AddOnTest, ShortNameBufferGetsTheStartAndTheFullLength)
{
	for (int32 n = 0;; n++) {
		char name[5];
		int32 length = sizeof(name);
		status_t status = get_nth_image_symbol(fImage, n, name, &length, nullptr, nullptr);
		ASSERT_EQ(status, B_OK) << "test_add_on_twice not listed";
		if (length == (int32)sizeof("test_add_on_twice") && strcmp(name, "test") == 0)
			break;
	}
	char name[64];
	int32 length = sizeof(name);
	EXPECT_EQ(get_nth_image_symbol(fImage, -1, name, &length, nullptr, nullptr), B_BAD_INDEX);
}


TEST_F(AddOnTest, DescribesItselfAsAnAddOn)
{
	image_info info;
	ASSERT_EQ(get_image_info(fImage, &info), B_OK);
	EXPECT_EQ(info.id, fImage);
	EXPECT_EQ(info.type, B_ADD_ON_IMAGE);
	char real[PATH_MAX];
	ASSERT_NE(realpath(add_on_path().c_str(), real), nullptr);
	char listed[PATH_MAX];
	ASSERT_NE(realpath(info.name, listed), nullptr);
	EXPECT_STREQ(listed, real);
	EXPECT_NE(info.text, nullptr);
	EXPECT_GT(info.text_size, 0);
	EXPECT_NE(info.node, (ino_t)0);
}


TEST_F(AddOnTest, LoadingTwiceCountsTwice)
{
	image_id again = load_add_on(add_on_path().c_str());
	EXPECT_EQ(again, fImage);
	EXPECT_EQ(unload_add_on(again), B_OK);
	image_info info;
	EXPECT_EQ(get_image_info(fImage, &info), B_OK);
	EXPECT_EQ(unload_add_on(fImage), B_OK);
	EXPECT_EQ(unload_add_on(fImage), B_BAD_IMAGE_ID);
	EXPECT_EQ(get_image_info(fImage, &info), B_BAD_IMAGE_ID);
	fImage = -1;
}


TEST(Images, LoadingWhatIsNoAddOnFailsClearly)
{
	EXPECT_EQ(load_add_on("/nonexistent/add-on.so"), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(load_add_on(nullptr), B_BAD_VALUE);
	ScratchDirectory directory;
	ASSERT_TRUE(directory.WriteFile("text.so", "not an object file\n"));
	EXPECT_EQ(load_add_on((directory / "text.so").c_str()), B_NOT_AN_EXECUTABLE);
	EXPECT_EQ(load_add_on(directory.Path().c_str()), B_ENTRY_NOT_FOUND);
	// Only add-ons are unloaded: the application's own image is not.
	int32 cookie = 0;
	image_info info;
	ASSERT_EQ(get_next_image_info(0, &cookie, &info), B_OK);
	EXPECT_EQ(unload_add_on(info.id), B_BAD_IMAGE_ID);
}


TEST(Images, ListsTheApplicationFirstThenItsLibraries)
{
	int32 cookie = 0;
	image_info info;
	ASSERT_EQ(get_next_image_info(0, &cookie, &info), B_OK);
	EXPECT_EQ(info.type, B_APP_IMAGE);
	char self[PATH_MAX];
	ssize_t length = readlink("/proc/self/exe", self, sizeof(self) - 1);
	ASSERT_GT(length, 0);
	self[length] = '\0';
	EXPECT_STREQ(info.name, self);

	bool sawKit = false;
	std::set<image_id> ids = { info.id };
	while (get_next_image_info(getpid(), &cookie, &info) == B_OK) {
		EXPECT_TRUE(ids.insert(info.id).second) << "id listed twice: " << info.id;
		if (strstr(info.name, "/libbe.so") != nullptr) {
			sawKit = true;
			EXPECT_EQ(info.type, B_LIBRARY_IMAGE);
			void* spawn = nullptr;
			EXPECT_EQ(get_image_symbol(info.id, "spawn_thread", B_SYMBOL_TYPE_TEXT, &spawn),
				B_OK);
			EXPECT_EQ(spawn, (void*)&spawn_thread);
		}
	}
	EXPECT_TRUE(sawKit);
	cookie = 0;
	EXPECT_EQ(get_next_image_info(getppid(), &cookie, &info), B_BAD_TEAM_ID);
}


TEST(Images, LoadedTeamWaitsUntilResumed)
{
	ScratchDirectory directory;
	std::string mark = directory / "ran";
	std::string script = "echo > " + mark + "; exit 7";
	const char* arguments[] = { "/bin/sh", "-c", script.c_str(), nullptr };
	thread_id team = load_image(3, arguments, nullptr);
	ASSERT_GT(team, 0);
	// Stopped before it runs anything.
	EXPECT_NE(access(mark.c_str(), F_OK), 0);
	EXPECT_EQ(resume_thread(team), B_OK);
	status_t result = B_ERROR;
	EXPECT_EQ(wait_for_thread(team, &result), B_OK);
	EXPECT_EQ(result, 7);
	EXPECT_EQ(access(mark.c_str(), F_OK), 0);
	EXPECT_EQ(wait_for_thread(team, &result), B_BAD_THREAD_ID);
}


TEST(Images, LoadImageOfAMissingProgramFails)
{
	const char* arguments[] = { "/nonexistent/program", nullptr };
	EXPECT_EQ(load_image(1, arguments, nullptr), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(load_image(0, arguments, nullptr), B_BAD_VALUE);
	const char* unknown[] = { "no-such-program-on-the-path", nullptr };
	EXPECT_EQ(load_image(1, unknown, nullptr), B_ENTRY_NOT_FOUND);
}

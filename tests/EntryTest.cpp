#include <Entry.h>

#include <Message.h>
#include <Path.h>

#include <gtest/gtest.h>

#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>
#include <sys/wait.h>

#include <string>
#include <vector>

extern char** environ;

namespace {

const int kResolvedInChild = 42;

} // namespace

namespace {

class EntryTest : public testing::Test {
protected:
	void SetUp() override
	{
		char pattern[] = "/tmp/qv-entry-test-XXXXXX";
		ASSERT_NE(mkdtemp(pattern), nullptr);
		// The temporary directory may itself sit behind a link.
		char* real = realpath(pattern, NULL);
		fDirectory = real;
		free(real);
		fFile = fDirectory + "/file";
		fLink = fDirectory + "/link";
		FILE* file = fopen(fFile.c_str(), "w");
		ASSERT_NE(file, nullptr);
		fclose(file);
		ASSERT_EQ(symlink("file", fLink.c_str()), 0);
	}

	void TearDown() override
	{
		unlink(fLink.c_str());
		unlink(fFile.c_str());
		rmdir(fDirectory.c_str());
	}

	std::string fDirectory;
	std::string fFile;
	std::string fLink;
};

} // namespace


TEST_F(EntryTest, FollowsLinksOnlyWhenAsked)
{
	BEntry entry(fLink.c_str(), false);
	ASSERT_EQ(entry.InitCheck(), B_OK);
	BPath path;
	ASSERT_EQ(entry.GetPath(&path), B_OK);
	EXPECT_EQ(fLink, path.Path());
	char name[B_FILE_NAME_LENGTH];
	ASSERT_EQ(entry.GetName(name), B_OK);
	EXPECT_STREQ(name, "link");

	ASSERT_EQ(entry.SetTo(fLink.c_str(), true), B_OK);
	ASSERT_EQ(entry.GetPath(&path), B_OK);
	EXPECT_EQ(fFile, path.Path());

	// A dangling link exists as an entry, but cannot be followed.
	unlink(fFile.c_str());
	EXPECT_EQ(entry.SetTo(fLink.c_str(), false), B_OK);
	EXPECT_TRUE(entry.Exists());
	EXPECT_EQ(entry.SetTo(fLink.c_str(), true), B_ENTRY_NOT_FOUND);
}


TEST_F(EntryTest, RefsNameTheEntryAndLeavesNeedNotExist)
{
	std::string missing = fDirectory + "/missing";
	BEntry entry(missing.c_str());
	ASSERT_EQ(entry.InitCheck(), B_OK);
	EXPECT_FALSE(entry.Exists());

	entry_ref ref;
	ASSERT_EQ(entry.GetRef(&ref), B_OK);
	EXPECT_STREQ(ref.name, "missing");
	BEntry again(&ref);
	ASSERT_EQ(again.InitCheck(), B_OK);
	EXPECT_TRUE(again == entry);

	BEntry parent;
	ASSERT_EQ(entry.GetParent(&parent), B_OK);
	BPath parentPath(&parent);
	EXPECT_EQ(fDirectory, parentPath.Path());

	EXPECT_EQ(BEntry((fDirectory + "/none/child").c_str()).InitCheck(), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(BEntry().InitCheck(), B_NO_INIT);

	// An unknown directory cannot be resolved.
	entry_ref unknown(ref.device, 1, "x");
	EXPECT_EQ(BEntry(&unknown).InitCheck(), B_ENTRY_NOT_FOUND);
	entry_ref copy = ref;
	EXPECT_TRUE(copy == ref);
	copy.set_name("other");
	EXPECT_TRUE(copy != ref);
}


// Run by the test below in a fresh process, which has never seen the directory: the
// flattened message comes in the environment, in hexadecimal.
TEST(EntryRefTest, ResolvesARefFromAnotherProcess)
{
	const char* hex = getenv("QV_FLAT_MESSAGE");
	const char* expected = getenv("QV_EXPECTED_PATH");
	if (hex == NULL || expected == NULL)
		GTEST_SKIP() << "run by EntryTest.AnotherProcessOpensTheSameFile";

	std::vector<char> flat;
	for (size_t i = 0; hex[i] != '\0' && hex[i + 1] != '\0'; i += 2)
		flat.push_back((char)std::stoi(std::string(hex + i, 2), nullptr, 16));
	BMessage message;
	ASSERT_EQ(message.Unflatten(flat.data(), flat.size()), B_OK);
	entry_ref ref;
	ASSERT_EQ(message.FindRef("be:ref", &ref), B_OK);
	BEntry entry(&ref);
	ASSERT_EQ(entry.InitCheck(), B_OK);
	BPath path(&entry);
	EXPECT_STREQ(path.Path(), expected);
	// A distinct code, so that the parent knows this test did run and pass.
	exit(HasFailure() ? 1 : kResolvedInChild);
}


TEST_F(EntryTest, AnotherProcessOpensTheSameFile)
{
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path(fFile.c_str(), &ref), B_OK);
	BMessage message;
	ASSERT_EQ(message.AddRef("be:ref", &ref), B_OK);
	std::vector<char> flat(message.FlattenedSize());
	ASSERT_EQ(message.Flatten(flat.data(), flat.size()), B_OK);
	std::string hex;
	for (char byte : flat) {
		char digits[3];
		snprintf(digits, sizeof(digits), "%02x", (unsigned char)byte);
		hex += digits;
	}

	std::vector<std::string> environment;
	for (char** variable = environ; *variable != NULL; variable++)
		environment.push_back(*variable);
	environment.push_back("QV_FLAT_MESSAGE=" + hex);
	environment.push_back("QV_EXPECTED_PATH=" + fFile);
	std::vector<char*> envp;
	for (std::string& variable : environment)
		envp.push_back(variable.data());
	envp.push_back(NULL);
	std::string filter = "--gtest_filter=EntryRefTest.ResolvesARefFromAnotherProcess";
	char self[] = "/proc/self/exe";
	char* argv[] = { self, filter.data(), NULL };

	pid_t child;
	ASSERT_EQ(posix_spawn(&child, self, NULL, NULL, argv, envp.data()), 0);
	int status = 0;
	ASSERT_EQ(waitpid(child, &status, 0), child);
	ASSERT_TRUE(WIFEXITED(status));
	EXPECT_EQ(WEXITSTATUS(status), kResolvedInChild);
}

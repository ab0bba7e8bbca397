#include <AppFileInfo.h>
#include <Resources.h>
#include <TypeConstants.h>

#include "app/AppFlags.h"
#include "app/AppIdentity.h"

#include <Roster.h>

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ScratchDirectory.h"

using BPrivate::app_identity;
using BPrivate::read_app_identity;

namespace {

std::vector<uint8>
version_record(uint32 major, uint32 variety, const char* shortText, const char* longText)
{
	std::vector<uint8> record(340, 0);
	uint32 numbers[5] = { major, 0, 0, variety, 3 };
	for (int n = 0; n < 5; n++) {
		for (int i = 0; i < 4; i++)
			record[n * 4 + i] = (uint8)(numbers[n] >> (8 * i));
	}
	memcpy(record.data() + 20, shortText, strlen(shortText));
	memcpy(record.data() + 84, longText, strlen(longText));
	return record;
}


class AppIdentityTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		fPath = fScratch / "app";
		std::error_code error;
		ASSERT_TRUE(std::filesystem::copy_file("/bin/true", fPath, error)) << error.message();
	}

	void AddResource(type_code type, const char* name, const void* data, size_t size)
	{
		BFile file(fPath.c_str(), B_READ_WRITE);
		BResources resources(&file);
		ASSERT_EQ(resources.AddResource(type, 1, data, size, name), B_OK);
		ASSERT_EQ(resources.Sync(), B_OK);
	}

	ScratchDirectory fScratch{"identity"};
	std::string fPath;
};

} // namespace


TEST_F(AppIdentityTest, AnExecutableWithoutRecordsGetsTheDefaults)
{
	app_identity identity;
	ASSERT_EQ(read_app_identity(fPath.c_str(), &identity), B_OK);
	EXPECT_STREQ(identity.signature, "");
	EXPECT_FALSE(identity.hasFlags);
	EXPECT_EQ(identity.flags, (uint32)B_MULTIPLE_LAUNCH);
	EXPECT_FALSE(identity.hasVersion);

	// The application then launches with the kit's default.
	EXPECT_EQ(BPrivate::app_flags_for(fPath.c_str()), (uint32)B_MULTIPLE_LAUNCH);

	EXPECT_EQ(read_app_identity((fScratch / "missing").c_str(), &identity),
		B_ENTRY_NOT_FOUND);
	EXPECT_EQ(read_app_identity(NULL, &identity), B_BAD_VALUE);
}


TEST_F(AppIdentityTest, RecordsAreReadBack)
{
	const char signature[] = "application/x-vnd.test-Identity";
	AddResource(B_MIME_STRING_TYPE, "BEOS:APP_SIG", signature, sizeof(signature));
	const uint8 flags[4] = { 0x04, 0, 0, 0 };
	AddResource('APPF', "BEOS:APP_FLAGS", flags, sizeof(flags));
	std::vector<uint8> versions = version_record(1, B_ALPHA_VERSION, "1.0a3", "1.0a3 notice");
	std::vector<uint8> system = version_record(0, 0, "", "");
	versions.insert(versions.end(), system.begin(), system.end());
	AddResource('APPV', "BEOS:APP_VERSION", versions.data(), versions.size());

	app_identity identity;
	ASSERT_EQ(read_app_identity(fPath.c_str(), &identity), B_OK);
	EXPECT_STREQ(identity.signature, signature);
	EXPECT_TRUE(identity.hasFlags);
	EXPECT_EQ(identity.flags, 0x4u);
	EXPECT_EQ(BPrivate::app_flags_for(fPath.c_str()), 0x4u);
	ASSERT_TRUE(identity.hasVersion);
	EXPECT_EQ(identity.appVersion.major, 1u);
	EXPECT_EQ(identity.appVersion.variety, (uint32)B_ALPHA_VERSION);
	EXPECT_EQ(identity.appVersion.internal, 3u);
	EXPECT_STREQ(identity.appVersion.short_info, "1.0a3");
	EXPECT_STREQ(identity.appVersion.long_info, "1.0a3 notice");
	EXPECT_EQ(identity.systemVersion.major, 0u);

	BFile file(fPath.c_str(), B_READ_ONLY);
	BAppFileInfo info(&file);
	version_info version;
	EXPECT_EQ(info.GetVersionInfo(&version, B_SYSTEM_VERSION_KIND), B_OK);
	EXPECT_EQ(info.GetVersionInfo(&version, (version_kind)2), B_BAD_VALUE);
}


TEST_F(AppIdentityTest, MalformedRecordsAreErrors)
{
	const char unterminated[] = { 'a', 'p', 'p' };
	AddResource(B_MIME_STRING_TYPE, "BEOS:APP_SIG", unterminated, sizeof(unterminated));
	const uint8 shortFlags[2] = { 0, 0 };
	AddResource('APPF', "BEOS:APP_FLAGS", shortFlags, sizeof(shortFlags));
	std::vector<uint8> oneVersion = version_record(1, 0, "1", "1");
	AddResource('APPV', "BEOS:APP_VERSION", oneVersion.data(), oneVersion.size());

	BFile file(fPath.c_str(), B_READ_ONLY);
	BAppFileInfo info(&file);
	ASSERT_EQ(info.InitCheck(), B_OK);
	char signature[B_MIME_TYPE_LENGTH];
	uint32 flags;
	version_info version;
	EXPECT_EQ(info.GetSignature(signature), B_BAD_DATA);
	EXPECT_EQ(info.GetAppFlags(&flags), B_BAD_DATA);
	EXPECT_EQ(info.GetVersionInfo(&version, B_APP_VERSION_KIND), B_OK);
	EXPECT_EQ(info.GetVersionInfo(&version, B_SYSTEM_VERSION_KIND), B_BAD_DATA);

	app_identity identity;
	EXPECT_EQ(read_app_identity(fPath.c_str(), &identity), B_BAD_DATA);

	// Damaged resources make the whole identity unreadable.
	std::string command = "printf 'junk' >> '" + fPath + "'";
	ASSERT_EQ(system(command.c_str()), 0);
	EXPECT_EQ(read_app_identity(fPath.c_str(), &identity), B_BAD_DATA);
}


TEST(KitExecutablesTest, EachCarriesItsIdentity)
{
	struct Executable {
		const char*	name;
		const char*	signature;
		uint32		flags;
	};
	const Executable executables[] = {
		{ "registrar", "application/x-vnd.Be-TROS", B_EXCLUSIVE_LAUNCH | B_BACKGROUND_APP },
		{ "SampleViewer", "application/x-vnd.quorvane-SampleViewer", B_MULTIPLE_LAUNCH },
		{ "SampleWorkbench", "application/x-vnd.quorvane-SampleWorkbench",
			B_MULTIPLE_LAUNCH },
		{ "Quorvane", "application/x-vnd.thessory-Quorvane", B_SINGLE_LAUNCH },
	};
	for (const Executable& executable : executables) {
		SCOPED_TRACE(executable.name);
		std::string path = std::string(QV_BIN_DIR) + "/" + executable.name;
		if (access(path.c_str(), X_OK) != 0 && strcmp(executable.name, "Quorvane") == 0)
			continue;
		app_identity identity;
		ASSERT_EQ(read_app_identity(path.c_str(), &identity), B_OK);
		EXPECT_STREQ(identity.signature, executable.signature);
		EXPECT_TRUE(identity.hasFlags);
		EXPECT_EQ(identity.flags, executable.flags);
	}
}

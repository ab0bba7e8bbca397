// BAppFileInfo: an application's records in its attributes, its resources or both, and
// what setting its supported types does to the MIME database.
#include <AppFileInfo.h>
#include <Bitmap.h>
#include <File.h>
#include <MimeType.h>
#include <Resources.h>
#include <Roster.h>
#include <TypeConstants.h>

#include <gtest/gtest.h>

#include <string.h>

#include <filesystem>
#include <string>

#include "IconPattern.h"
#include "MessageFields.h"
#include "ScratchMimeDatabase.h"

namespace {

const char kSignature[] = "application/x-vnd.test-appinfo";

class AppFileInfoTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		if (!fScratch.KeepsUserAttributes())
			GTEST_SKIP() << "no user extended attributes on " << fScratch.Path();
		fPath = fScratch / "app";
		std::error_code error;
		ASSERT_TRUE(std::filesystem::copy_file("/bin/true", fPath, error)) << error.message();
		ASSERT_EQ(fFile.SetTo(fPath.c_str(), B_READ_WRITE), B_OK);
		ASSERT_EQ(fInfo.SetTo(&fFile), B_OK);
	}

	ScratchMimeDatabase fDatabase{"app-file-info"};
	const ScratchDirectory& fScratch = fDatabase.Scratch();
	std::string fPath;
	BFile fFile;
	BAppFileInfo fInfo;
};

} // namespace


TEST_F(AppFileInfoTest, RecordsGoToAttributesAndResourcesAlike)
{
	ASSERT_TRUE(fInfo.IsUsingAttributes());
	ASSERT_TRUE(fInfo.IsUsingResources());
	ASSERT_EQ(fInfo.SetSignature(kSignature), B_OK);
	ASSERT_EQ(fInfo.SetType(B_APP_MIME_TYPE), B_OK);
	ASSERT_EQ(fInfo.SetAppFlags(B_SINGLE_LAUNCH | B_ARGV_ONLY), B_OK);

	char signature[B_MIME_TYPE_LENGTH];
	ASSERT_EQ(fInfo.GetSignature(signature), B_OK);
	EXPECT_STREQ(signature, kSignature);
	uint32 flags;
	ASSERT_EQ(fInfo.GetAppFlags(&flags), B_OK);
	EXPECT_EQ(flags, (uint32)(B_SINGLE_LAUNCH | B_ARGV_ONLY));

	// Each record is in both places, under the platform's names.
	attr_info info;
	ASSERT_EQ(fFile.GetAttrInfo("BEOS:APP_SIG", &info), B_OK);
	EXPECT_EQ(info.type, (uint32)B_MIME_STRING_TYPE);
	ASSERT_EQ(fFile.GetAttrInfo("BEOS:APP_FLAGS", &info), B_OK);
	EXPECT_EQ(info.type, (uint32)'APPF');
	BFile reopened(fPath.c_str(), B_READ_ONLY);
	BResources resources(&reopened);
	ASSERT_EQ(resources.InitCheck(), B_OK);
	size_t size;
	const char* stored = static_cast<const char*>(
		resources.LoadResource(B_MIME_STRING_TYPE, "BEOS:APP_SIG", &size));
	ASSERT_NE(stored, nullptr);
	EXPECT_STREQ(stored, kSignature);
	EXPECT_TRUE(resources.HasResource('APPF', 1));
	EXPECT_TRUE(resources.HasResource(B_MIME_STRING_TYPE, 2));

	// What is in the resources alone is still read.
	ASSERT_EQ(fFile.RemoveAttr("BEOS:APP_SIG"), B_OK);
	BAppFileInfo again(&fFile);
	ASSERT_EQ(again.GetSignature(signature), B_OK);
	EXPECT_STREQ(signature, kSignature);
	again.SetInfoLocation(B_USE_ATTRIBUTES);
	EXPECT_FALSE(again.IsUsingResources());
	EXPECT_EQ(again.GetSignature(signature), B_ENTRY_NOT_FOUND);

	EXPECT_EQ(fInfo.SetSignature("not a signature"), B_BAD_VALUE);
	ASSERT_EQ(fInfo.SetSignature(NULL), B_OK);
	EXPECT_EQ(fInfo.GetSignature(signature), B_ENTRY_NOT_FOUND);
}


TEST_F(AppFileInfoTest, LocationDecidesWhereWritesGo)
{
	fInfo.SetInfoLocation(B_USE_RESOURCES);
	ASSERT_EQ(fInfo.SetAppFlags(B_EXCLUSIVE_LAUNCH), B_OK);
	attr_info info;
	EXPECT_EQ(fFile.GetAttrInfo("BEOS:APP_FLAGS", &info), B_ENTRY_NOT_FOUND);

	fInfo.SetInfoLocation(B_USE_ATTRIBUTES);
	EXPECT_EQ(fInfo.GetAppFlags(NULL), B_BAD_VALUE);
	uint32 flags;
	EXPECT_EQ(fInfo.GetAppFlags(&flags), B_ENTRY_NOT_FOUND);
	ASSERT_EQ(fInfo.SetAppFlags(B_MULTIPLE_LAUNCH), B_OK);
	ASSERT_EQ(fInfo.GetAppFlags(&flags), B_OK);
	EXPECT_EQ(flags, (uint32)B_MULTIPLE_LAUNCH);
	fInfo.SetInfoLocation(B_USE_RESOURCES);
	ASSERT_EQ(fInfo.GetAppFlags(&flags), B_OK);
	EXPECT_EQ(flags, (uint32)B_EXCLUSIVE_LAUNCH);
}


TEST_F(AppFileInfoTest, PlainFileKeepsItsContentsAndUsesAttributes)
{
	ASSERT_TRUE(fScratch.WriteFile("notes", "plain text"));
	BFile file((fScratch / "notes").c_str(), B_READ_WRITE);
	BAppFileInfo info(&file);
	ASSERT_EQ(info.InitCheck(), B_OK);
	ASSERT_EQ(info.SetSignature(kSignature), B_OK);
	char signature[B_MIME_TYPE_LENGTH];
	ASSERT_EQ(info.GetSignature(signature), B_OK);
	EXPECT_STREQ(signature, kSignature);
	off_t size;
	ASSERT_EQ(file.GetSize(&size), B_OK);
	EXPECT_EQ(size, 10);

	// Resources only, where none can go, is an error rather than a record lost.
	info.SetInfoLocation(B_USE_RESOURCES);
	EXPECT_EQ(info.SetAppFlags(0), B_BAD_TYPE);

	// An empty file becomes a resource file.
	ASSERT_TRUE(fScratch.WriteFile("empty", ""));
	BFile empty((fScratch / "empty").c_str(), B_READ_WRITE);
	BAppFileInfo emptyInfo(&empty);
	emptyInfo.SetInfoLocation(B_USE_RESOURCES);
	ASSERT_EQ(emptyInfo.SetSignature(kSignature), B_OK);
	BResources resources(&empty);
	EXPECT_TRUE(resources.HasResource(B_MIME_STRING_TYPE, 1));

	BAppFileInfo unset;
	EXPECT_EQ(unset.SetSignature(kSignature), B_NO_INIT);
	EXPECT_EQ(unset.GetSignature(signature), B_NO_INIT);
}


TEST_F(AppFileInfoTest, VersionKindsAreKeptSideBySide)
{
	version_info app = { 2, 1, 3, B_BETA_VERSION, 7, "2.1.3", "Test app 2.1.3" };
	version_info system = { 5, 0, 0, B_FINAL_VERSION, 0, "R5", "" };
	ASSERT_EQ(fInfo.SetVersionInfo(&app, B_APP_VERSION_KIND), B_OK);
	ASSERT_EQ(fInfo.SetVersionInfo(&system, B_SYSTEM_VERSION_KIND), B_OK);
	version_info read;
	ASSERT_EQ(fInfo.GetVersionInfo(&read, B_APP_VERSION_KIND), B_OK);
	EXPECT_EQ(read.major, 2u);
	EXPECT_EQ(read.minor, 3u);
	EXPECT_EQ(read.variety, (uint32)B_BETA_VERSION);
	EXPECT_STREQ(read.long_info, "Test app 2.1.3");
	ASSERT_EQ(fInfo.GetVersionInfo(&read, B_SYSTEM_VERSION_KIND), B_OK);
	EXPECT_EQ(read.major, 5u);
	EXPECT_STREQ(read.short_info, "R5");
	attr_info info;
	ASSERT_EQ(fFile.GetAttrInfo("BEOS:APP_VERSION", &info), B_OK);
	EXPECT_EQ(info.size, 2 * 340);

	// Texts longer than their fields are cut, never overrun.
	memset(app.short_info, 'x', sizeof(app.short_info));
	ASSERT_EQ(fInfo.SetVersionInfo(&app, B_APP_VERSION_KIND), B_OK);
	ASSERT_EQ(fInfo.GetVersionInfo(&read, B_APP_VERSION_KIND), B_OK);
	EXPECT_EQ(strlen(read.short_info), sizeof(read.short_info) - 1);
	EXPECT_EQ(fInfo.SetVersionInfo(&app, (version_kind)7), B_BAD_VALUE);
}


TEST_F(AppFileInfoTest, SupportedTypesReachTheDatabase)
{
	ASSERT_EQ(fInfo.SetSignature(kSignature), B_OK);
	BMessage types;
	types.AddString("types", "text/plain");
	types.AddString("types", "image");
	ASSERT_EQ(fInfo.SetSupportedTypes(&types), B_OK);

	BMessage read;
	ASSERT_EQ(fInfo.GetSupportedTypes(&read), B_OK);
	EXPECT_EQ(string_field(read, "types", 0), "text/plain");
	EXPECT_EQ(string_field(read, "types", 1), "image");
	EXPECT_TRUE(fInfo.IsSupportedType("text/plain"));
	EXPECT_TRUE(fInfo.IsSupportedType("image/png"));
	EXPECT_FALSE(fInfo.IsSupportedType("text/html"));
	BMimeType png("image/png"), plain("TEXT/plain");
	EXPECT_FALSE(fInfo.Supports(&png));
	EXPECT_TRUE(fInfo.Supports(&plain));

	BMessage apps;
	ASSERT_EQ(BMimeType("text/plain").GetSupportingApps(&apps), B_OK);
	EXPECT_EQ(string_field(apps, "applications"), kSignature);
	EXPECT_EQ(apps.FindInt32("be:sub"), 1);

	// Without the database's update, the file alone changes.
	BMessage fewer;
	fewer.AddString("types", "image");
	ASSERT_EQ(fInfo.SetSupportedTypes(&fewer, false, false), B_OK);
	ASSERT_EQ(BMimeType("text/plain").GetSupportingApps(&apps), B_OK);
	EXPECT_EQ(apps.FindInt32("be:sub"), 1);
	ASSERT_EQ(fInfo.SetSupportedTypes(&fewer, true), B_OK);
	ASSERT_EQ(BMimeType("text/plain").GetSupportingApps(&apps), B_OK);
	EXPECT_EQ(apps.FindInt32("be:sub"), 0);

	// Anything at all, through the wildcard.
	BMessage any;
	any.AddString("types", B_FILE_MIME_TYPE);
	ASSERT_EQ(fInfo.SetSupportedTypes(&any), B_OK);
	EXPECT_TRUE(fInfo.IsSupportedType("video/mpeg"));
	ASSERT_EQ(BMimeType::GetWildcardApps(&apps), B_OK);
	EXPECT_EQ(string_field(apps, "applications"), kSignature);
}


TEST_F(AppFileInfoTest, IconsOfTheAppAndForItsTypes)
{
	BBitmap large(BRect(0, 0, 31, 31), B_CMAP8);
	fill_icon_pattern(large, 4);
	BBitmap mini(BRect(0, 0, 15, 15), B_CMAP8);
	fill_icon_pattern(mini, 5);
	BBitmap forType(BRect(0, 0, 31, 31), B_CMAP8);
	fill_icon_pattern(forType, 6);
	ASSERT_EQ(fInfo.SetIcon(&large, B_LARGE_ICON), B_OK);
	ASSERT_EQ(fInfo.SetIcon(&mini, B_MINI_ICON), B_OK);
	ASSERT_EQ(fInfo.SetIconForType("text/x-test-doc", &forType, B_LARGE_ICON), B_OK);

	// Read back from the resources alone, as another system would find them.
	BAppFileInfo fromResources(&fFile);
	fromResources.SetInfoLocation(B_USE_RESOURCES);
	BBitmap read(BRect(0, 0, 31, 31), B_CMAP8);
	ASSERT_EQ(fromResources.GetIcon(&read, B_LARGE_ICON), B_OK);
	EXPECT_TRUE(same_icon_pixels(read, large));
	ASSERT_EQ(fromResources.GetIconForType("text/x-test-doc", &read, B_LARGE_ICON), B_OK);
	EXPECT_TRUE(same_icon_pixels(read, forType));
	BBitmap readMini(BRect(0, 0, 15, 15), B_CMAP8);
	ASSERT_EQ(fromResources.GetIcon(&readMini, B_MINI_ICON), B_OK);
	EXPECT_TRUE(same_icon_pixels(readMini, mini));
	BResources resources(&fFile);
	EXPECT_TRUE(resources.HasResource(B_LARGE_ICON_TYPE, 101));
	EXPECT_TRUE(resources.HasResource(B_MINI_ICON_TYPE, 101));

	// The vector form travels as its bytes.
	const uint8 vector[] = {'n', 'c', 'i', 'f', 0, 9};
	ASSERT_EQ(fInfo.SetIcon(vector, sizeof(vector)), B_OK);
	uint8* data;
	size_t size;
	ASSERT_EQ(fInfo.GetIcon(&data, &size), B_OK);
	ASSERT_EQ(size, sizeof(vector));
	EXPECT_EQ(memcmp(data, vector, size), 0);
	delete[] data;

	ASSERT_EQ(fInfo.SetIconForType("text/x-test-doc", NULL, B_LARGE_ICON), B_OK);
	EXPECT_EQ(fInfo.GetIconForType("text/x-test-doc", &read, B_LARGE_ICON),
		B_ENTRY_NOT_FOUND);
	EXPECT_EQ(fInfo.GetIcon(&readMini, B_LARGE_ICON), B_BAD_VALUE);
	EXPECT_EQ(fInfo.SetIconForType("not a type", &large, B_LARGE_ICON), B_BAD_VALUE);
}


TEST_F(AppFileInfoTest, DamagedRecordsAreRefused)
{
	const uint8 shortFlags[2] = {1, 2};
	ASSERT_EQ(fFile.WriteAttr("BEOS:APP_FLAGS", 'APPF', 0, shortFlags, 2), 2);
	uint32 flags;
	EXPECT_EQ(fInfo.GetAppFlags(&flags), B_BAD_DATA);
	ASSERT_EQ(fFile.WriteAttr("BEOS:APP_FLAGS", B_INT32_TYPE, 0, &flags, 4), 4);
	EXPECT_EQ(fInfo.GetAppFlags(&flags), B_BAD_DATA);
	const char unterminated[4] = {'a', 'b', 'c', 'd'};
	ASSERT_EQ(fFile.WriteAttr("BEOS:APP_SIG", B_MIME_STRING_TYPE, 0, unterminated, 4), 4);
	char signature[B_MIME_TYPE_LENGTH];
	EXPECT_EQ(fInfo.GetSignature(signature), B_BAD_DATA);
	ASSERT_EQ(fFile.WriteAttr("BEOS:FILE_TYPES", 'MSGG', 0, "junk", 4), 4);
	BMessage types;
	EXPECT_EQ(fInfo.GetSupportedTypes(&types), B_BAD_DATA);
	EXPECT_FALSE(fInfo.IsSupportedType("text/plain"));
	ASSERT_EQ(fFile.WriteAttr("BEOS:L:STD_ICON", B_LARGE_ICON_TYPE, 0, "tiny", 4), 4);
	BBitmap icon(BRect(0, 0, 31, 31), B_CMAP8);
	EXPECT_EQ(fInfo.GetIcon(&icon, B_LARGE_ICON), B_BAD_DATA);
}

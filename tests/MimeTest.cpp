// BMimeType: what makes a valid type, and the user's database of installed types, kept in
// a private data directory for each test.
#include <AppDefs.h>
#include <Bitmap.h>
#include <Entry.h>
#include <File.h>
#include <Message.h>
#include <Mime.h>
#include <MimeType.h>
#include <Node.h>
#include <TypeConstants.h>

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <set>
#include <string>

#include "IconPattern.h"
#include "MessageCollector.h"
#include "MessageFields.h"
#include "ScratchMimeDatabase.h"

namespace {

class MimeTest : public ::testing::Test {
protected:
	std::set<std::string> Strings(const BMessage& message, const char* field)
	{
		std::set<std::string> strings;
		const char* string;
		for (int32 i = 0; message.FindString(field, i, &string) == B_OK; i++)
			strings.insert(string);
		return strings;
	}

	ScratchMimeDatabase fDatabase{"mime"};
	const ScratchDirectory& fScratch = fDatabase.Scratch();
};

} // namespace


TEST(MimeType, ValidTypesAndTheirParts)
{
	EXPECT_TRUE(BMimeType::IsValid("text/plain"));
	EXPECT_TRUE(BMimeType::IsValid("application/x-vnd.Be-elfexecutable"));
	EXPECT_TRUE(BMimeType::IsValid("text"));
	EXPECT_FALSE(BMimeType::IsValid(NULL));
	EXPECT_FALSE(BMimeType::IsValid(""));
	EXPECT_FALSE(BMimeType::IsValid("/plain"));
	EXPECT_FALSE(BMimeType::IsValid("text/"));
	EXPECT_FALSE(BMimeType::IsValid("text/plain/more"));
	EXPECT_FALSE(BMimeType::IsValid("text/pl ain"));
	EXPECT_FALSE(BMimeType::IsValid("text/pl@in"));
	EXPECT_FALSE(BMimeType::IsValid(std::string(B_MIME_TYPE_LENGTH, 'a').c_str()));

	BMimeType type("Text/Plain");
	ASSERT_EQ(type.InitCheck(), B_OK);
	EXPECT_STREQ(type.Type(), "Text/Plain");
	EXPECT_TRUE(type == "text/plain");
	EXPECT_FALSE(type.IsSupertypeOnly());
	BMimeType supertype;
	ASSERT_EQ(type.GetSupertype(&supertype), B_OK);
	EXPECT_STREQ(supertype.Type(), "Text");
	EXPECT_TRUE(supertype.IsSupertypeOnly());
	EXPECT_TRUE(supertype.Contains(&type));
	EXPECT_FALSE(type.Contains(&supertype));
	BMimeType textual("textual/plain");
	EXPECT_FALSE(supertype.Contains(&textual));

	BMimeType bad("no good");
	EXPECT_EQ(bad.InitCheck(), B_BAD_VALUE);
	EXPECT_FALSE(bad.IsValid());
}


TEST_F(MimeTest, SettingInstallsTheTypeAndItsSupertype)
{
	BMimeType type("text/x-test");
	EXPECT_FALSE(type.IsInstalled());
	ASSERT_EQ(type.SetShortDescription("Test text"), B_OK);
	EXPECT_TRUE(type.IsInstalled());
	EXPECT_TRUE(BMimeType("text").IsInstalled());
	// Another object of the same type, in another case, reads what was stored.
	BMimeType again("TEXT/X-TEST");
	char description[B_MIME_TYPE_LENGTH];
	ASSERT_EQ(again.GetShortDescription(description), B_OK);
	EXPECT_STREQ(description, "Test text");
	EXPECT_EQ(again.GetLongDescription(description), B_ENTRY_NOT_FOUND);

	ASSERT_EQ(type.SetPreferredApp("application/x-vnd.test-viewer"), B_OK);
	char signature[B_MIME_TYPE_LENGTH];
	ASSERT_EQ(again.GetPreferredApp(signature), B_OK);
	EXPECT_STREQ(signature, "application/x-vnd.test-viewer");
	EXPECT_EQ(type.SetPreferredApp("not a signature"), B_BAD_VALUE);
	// The description survived the other changes.
	ASSERT_EQ(again.GetShortDescription(description), B_OK);
	EXPECT_STREQ(description, "Test text");

	ASSERT_EQ(type.Delete(), B_OK);
	EXPECT_FALSE(type.IsInstalled());
	EXPECT_EQ(type.Delete(), B_ENTRY_NOT_FOUND);
}


TEST_F(MimeTest, FileExtensionsLoseTheirDots)
{
	BMimeType type("image/x-test");
	BMessage extensions;
	extensions.AddString("extensions", ".tst");
	extensions.AddString("extensions", "test");
	extensions.AddString("extensions", ".");
	ASSERT_EQ(type.SetFileExtensions(&extensions), B_OK);
	BMessage read;
	ASSERT_EQ(type.GetFileExtensions(&read), B_OK);
	EXPECT_EQ(Strings(read, "extensions"), std::set<std::string>({ "tst", "test" }));
}


TEST_F(MimeTest, InstalledTypesAreListed)
{
	ASSERT_EQ(BMimeType("text/x-one").Install(), B_OK);
	ASSERT_EQ(BMimeType("text/x-two").Install(), B_OK);
	ASSERT_EQ(BMimeType("audio/x-three").Install(), B_OK);

	BMessage supertypes;
	ASSERT_EQ(BMimeType::GetInstalledSupertypes(&supertypes), B_OK);
	EXPECT_EQ(Strings(supertypes, "super_types"), std::set<std::string>({ "text", "audio" }));
	BMessage text;
	ASSERT_EQ(BMimeType::GetInstalledTypes("text", &text), B_OK);
	EXPECT_EQ(Strings(text, "types"), std::set<std::string>({ "text/x-one", "text/x-two" }));
	BMessage all;
	ASSERT_EQ(BMimeType::GetInstalledTypes(&all), B_OK);
	EXPECT_EQ(Strings(all, "types"), std::set<std::string>({ "text", "text/x-one",
		"text/x-two", "audio", "audio/x-three" }));
	EXPECT_EQ(BMimeType::GetInstalledTypes("text/plain", &all), B_BAD_VALUE);
}


TEST_F(MimeTest, DamagedRecordIsAnErrorNotACrash)
{
	BMimeType type("text/x-damaged");
	ASSERT_EQ(type.Install(), B_OK);
	ASSERT_TRUE(fScratch.WriteFile("bekit/mime/text/x-damaged", "not a message at all"));
	char description[B_MIME_TYPE_LENGTH];
	EXPECT_NE(type.GetShortDescription(description), B_OK);
	// Changing a damaged record keeps it as it is rather than losing it silently.
	EXPECT_NE(type.SetShortDescription("new"), B_OK);
	ASSERT_TRUE(fScratch.WriteFile("bekit/mime/text/x-damaged",
		std::string(64 * 1024 + 1, 'x')));
	EXPECT_EQ(type.GetShortDescription(description), B_BAD_DATA);
}


TEST_F(MimeTest, FifoInPlaceOfARecordDoesNotBlock)
{
	BMimeType type("text/x-fifo");
	ASSERT_EQ(type.Install(), B_OK);
	std::string record = fScratch / "bekit/mime/text/x-fifo";
	ASSERT_EQ(unlink(record.c_str()), 0);
	ASSERT_EQ(mkfifo(record.c_str(), 0600), 0);
	char description[B_MIME_TYPE_LENGTH];
	EXPECT_EQ(type.GetShortDescription(description), B_BAD_DATA);
	EXPECT_FALSE(type.IsInstalled());
}


TEST_F(MimeTest, AppHintAndAttributeInfoAreKeptInTheRecord)
{
	ASSERT_TRUE(fScratch.WriteFile("app", "#!/bin/sh\n"));
	BMimeType type("application/x-vnd.test-hint");
	entry_ref app;
	ASSERT_EQ(get_ref_for_path((fScratch / "app").c_str(), &app), B_OK);
	ASSERT_EQ(type.SetAppHint(&app), B_OK);
	EXPECT_TRUE(type.IsInstalled());
	entry_ref hint;
	ASSERT_EQ(type.GetAppHint(&hint), B_OK);
	EXPECT_EQ(hint, app);
	ASSERT_EQ(type.SetAppHint(NULL), B_OK);
	EXPECT_EQ(type.GetAppHint(&hint), B_ENTRY_NOT_FOUND);

	BMessage info;
	info.AddString("attr:name", "META:email");
	info.AddInt32("attr:type", B_STRING_TYPE);
	ASSERT_EQ(type.SetAttrInfo(&info), B_OK);
	BMessage read('keep');
	ASSERT_EQ(type.GetAttrInfo(&read), B_OK);
	EXPECT_EQ(read.what, (uint32)'keep');
	EXPECT_STREQ(read.FindString("attr:name"), "META:email");
	EXPECT_EQ(read.FindInt32("attr:type"), (int32)B_STRING_TYPE);

	BMimeType unset;
	EXPECT_EQ(unset.SetAppHint(&app), B_NO_INIT);
	EXPECT_EQ(type.GetAttrInfo(NULL), B_BAD_VALUE);
	EXPECT_EQ(type.SetType("not a type"), B_BAD_VALUE);
}


TEST_F(MimeTest, GuessesFromContentsNamesAndKinds)
{
	const unsigned char png[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 13,
		'I', 'H', 'D', 'R', 0, 0, 0, 1, 0, 0, 0, 1, 8, 6, 0, 0, 0};
	BMimeType type;
	ASSERT_EQ(BMimeType::GuessMimeType(png, sizeof(png), &type), B_OK);
	EXPECT_STREQ(type.Type(), "image/png");

	ASSERT_TRUE(fScratch.WriteFile("script", "#!/bin/sh\necho hello\n"));
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path((fScratch / "script").c_str(), &ref), B_OK);
	ASSERT_EQ(BMimeType::GuessMimeType(&ref, &type), B_OK);
	EXPECT_STREQ(type.Type(), "text/x-shellscript");

	ASSERT_EQ(get_ref_for_path(fScratch.Path().c_str(), &ref), B_OK);
	ASSERT_EQ(BMimeType::GuessMimeType(&ref, &type), B_OK);
	EXPECT_STREQ(type.Type(), B_DIRECTORY_MIME_TYPE);

	// Names: by the installed types' extensions, else a plain file.
	BMimeType markdown("text/markdown");
	BMessage extensions;
	extensions.AddString(B_MIME_EXTENSIONS_FIELD, "md");
	ASSERT_EQ(markdown.SetFileExtensions(&extensions), B_OK);
	ASSERT_EQ(BMimeType::GuessMimeType("README.MD", &type), B_OK);
	EXPECT_STREQ(type.Type(), "text/markdown");
	ASSERT_EQ(BMimeType::GuessMimeType("no-extension", &type), B_OK);
	EXPECT_STREQ(type.Type(), B_FILE_MIME_TYPE);

	EXPECT_EQ(BMimeType::GuessMimeType((const void*)NULL, 4, &type), B_BAD_VALUE);
	EXPECT_EQ(BMimeType::GuessMimeType((const entry_ref*)NULL, &type), B_BAD_VALUE);
}


TEST_F(MimeTest, UpdateMimeInfoTypesFilesThatHaveNone)
{
	if (!fScratch.KeepsUserAttributes())
		GTEST_SKIP() << "no user extended attributes here";
	ASSERT_EQ(mkdir((fScratch / "tree").c_str(), 0700), 0);
	ASSERT_TRUE(fScratch.WriteFile("tree/script", "#!/bin/sh\n"));
	ASSERT_TRUE(fScratch.WriteFile("tree/kept", "#!/bin/sh\n"));
	BNode kept((fScratch / "tree/kept").c_str());
	ASSERT_EQ(kept.WriteAttr("BEOS:TYPE", B_MIME_STRING_TYPE, 0, "text/x-mine", 12), 12);

	ASSERT_EQ(update_mime_info((fScratch / "tree").c_str(), true, true, false), B_OK);
	char type[B_MIME_TYPE_LENGTH] = {};
	BNode script((fScratch / "tree/script").c_str());
	ASSERT_GT(script.ReadAttr("BEOS:TYPE", B_MIME_STRING_TYPE, 0, type, sizeof(type)), 0);
	EXPECT_STREQ(type, "text/x-shellscript");
	ASSERT_GT(kept.ReadAttr("BEOS:TYPE", B_MIME_STRING_TYPE, 0, type, sizeof(type)), 0);
	EXPECT_STREQ(type, "text/x-mine");

	// force replaces a type already set.
	ASSERT_EQ(update_mime_info((fScratch / "tree/kept").c_str(), false, true, true), B_OK);
	ASSERT_GT(kept.ReadAttr("BEOS:TYPE", B_MIME_STRING_TYPE, 0, type, sizeof(type)), 0);
	EXPECT_STREQ(type, "text/x-shellscript");
	EXPECT_EQ(update_mime_info((fScratch / "missing").c_str(), false, true, false),
		B_ENTRY_NOT_FOUND);
}


TEST_F(MimeTest, IconsOfTheTypeAndForOtherTypesAreKeptApart)
{
	BMimeType type("application/x-vnd.test-painter");
	BBitmap large(BRect(0, 0, 31, 31), B_CMAP8);
	fill_icon_pattern(large, 1);
	BBitmap mini(BRect(0, 0, 15, 15), B_CMAP8);
	fill_icon_pattern(mini, 2);
	BBitmap forType(BRect(0, 0, 31, 31), B_CMAP8);
	fill_icon_pattern(forType, 3);
	ASSERT_EQ(type.SetIcon(&large, B_LARGE_ICON), B_OK);
	ASSERT_EQ(type.SetIcon(&mini, B_MINI_ICON), B_OK);
	ASSERT_EQ(type.SetIconForType("image/png", &forType, B_LARGE_ICON), B_OK);
	EXPECT_TRUE(type.IsInstalled());

	BBitmap read(BRect(0, 0, 31, 31), B_CMAP8);
	ASSERT_EQ(type.GetIcon(&read, B_LARGE_ICON), B_OK);
	EXPECT_TRUE(same_icon_pixels(read, large));
	ASSERT_EQ(type.GetIconForType("Image/PNG", &read, B_LARGE_ICON), B_OK);
	EXPECT_TRUE(same_icon_pixels(read, forType));
	BBitmap readMini(BRect(0, 0, 15, 15), B_CMAP8);
	ASSERT_EQ(type.GetIcon(&readMini, B_MINI_ICON), B_OK);
	EXPECT_TRUE(same_icon_pixels(readMini, mini));
	EXPECT_EQ(type.GetIconForType("image/png", &readMini, B_MINI_ICON), B_ENTRY_NOT_FOUND);

	// An icon in another colour space is stored in the palette's colours.
	BBitmap colour(BRect(0, 0, 15, 15), B_RGB32);
	memset(colour.Bits(), 0xff, colour.BitsLength());
	ASSERT_EQ(type.SetIcon(&colour, B_MINI_ICON), B_OK);
	ASSERT_EQ(type.GetIcon(&readMini, B_MINI_ICON), B_OK);
	EXPECT_EQ(static_cast<uint8*>(readMini.Bits())[0], 63);

	EXPECT_EQ(type.SetIcon(&mini, B_LARGE_ICON), B_BAD_VALUE);
	EXPECT_EQ(type.GetIcon(&readMini, B_LARGE_ICON), B_BAD_VALUE);
	EXPECT_EQ(type.SetIconForType("not a type", &large, B_LARGE_ICON), B_BAD_VALUE);
	ASSERT_EQ(type.SetIcon(NULL, B_LARGE_ICON), B_OK);
	EXPECT_EQ(type.GetIcon(&read, B_LARGE_ICON), B_ENTRY_NOT_FOUND);
	ASSERT_EQ(type.GetIconForType("image/png", &read, B_LARGE_ICON), B_OK);
}


TEST_F(MimeTest, VectorIconIsHandedOutAsACopy)
{
	BMimeType type("image/x-vector-test");
	uint8* data;
	size_t size;
	EXPECT_EQ(type.GetIcon(&data, &size), B_ENTRY_NOT_FOUND);
	const uint8 icon[] = {'n', 'c', 'i', 'f', 1, 2, 3};
	ASSERT_EQ(type.SetIcon(icon, sizeof(icon)), B_OK);
	ASSERT_EQ(type.GetIcon(&data, &size), B_OK);
	ASSERT_EQ(size, sizeof(icon));
	EXPECT_EQ(memcmp(data, icon, size), 0);
	delete[] data;
	ASSERT_EQ(type.SetIcon(NULL, 0), B_OK);
	EXPECT_EQ(type.GetIcon(&data, &size), B_ENTRY_NOT_FOUND);
}


TEST_F(MimeTest, SupportingAppsComeFromTheApplicationsSupportedTypes)
{
	BMessage types;
	types.AddString("types", "text/plain");
	types.AddString("types", "image");
	ASSERT_EQ(BMimeType("application/x-vnd.test-editor").SetSupportedTypes(&types), B_OK);
	types.MakeEmpty();
	types.AddString("types", "text");
	ASSERT_EQ(BMimeType("application/x-vnd.test-viewer").SetSupportedTypes(&types), B_OK);
	types.MakeEmpty();
	types.AddString("types", B_FILE_MIME_TYPE);
	ASSERT_EQ(BMimeType("application/x-vnd.test-dumper").SetSupportedTypes(&types), B_OK);

	BMessage apps;
	ASSERT_EQ(BMimeType("text/plain").GetSupportingApps(&apps), B_OK);
	EXPECT_EQ(apps.FindInt32("be:sub"), 1);
	EXPECT_EQ(apps.FindInt32("be:super"), 1);
	EXPECT_STREQ(apps.FindString("applications", 0), "application/x-vnd.test-editor");
	EXPECT_STREQ(apps.FindString("applications", 1), "application/x-vnd.test-viewer");

	ASSERT_EQ(BMimeType("image/png").GetSupportingApps(&apps), B_OK);
	EXPECT_EQ(apps.FindInt32("be:sub"), 0);
	EXPECT_EQ(apps.FindInt32("be:super"), 1);
	EXPECT_EQ(Strings(apps, "applications"),
		std::set<std::string>{"application/x-vnd.test-editor"});

	BMessage wild;
	ASSERT_EQ(BMimeType::GetWildcardApps(&wild), B_OK);
	EXPECT_EQ(Strings(wild, "applications"),
		std::set<std::string>{"application/x-vnd.test-dumper"});

	// Support withdrawn is support gone, with nothing else to update.
	ASSERT_EQ(BMimeType("application/x-vnd.test-viewer").SetSupportedTypes(NULL), B_OK);
	ASSERT_EQ(BMimeType("text/plain").GetSupportingApps(&apps), B_OK);
	EXPECT_EQ(apps.FindInt32("be:super"), 0);
	EXPECT_EQ(Strings(apps, "applications"),
		std::set<std::string>{"application/x-vnd.test-editor"});

	types.MakeEmpty();
	types.AddString("types", "not a type");
	EXPECT_EQ(BMimeType("application/x-vnd.test-editor").SetSupportedTypes(&types),
		B_BAD_VALUE);
}


TEST_F(MimeTest, WatchersHearWhatChangedWhoeverChangedIt)
{
	MessageCollector collector;
	ASSERT_EQ(BMimeType::StartWatching(collector.Messenger()), B_OK);
	EXPECT_EQ(BMimeType::StartWatching(collector.Messenger()), B_BAD_VALUE);
	auto notice = [&](int32 which, const char* type) {
		return collector.WaitFor([=](const BMessage& message) {
			return message.what == B_META_MIME_CHANGED
				&& message.FindInt32("be:which") == which
				&& strcasecmp(string_field(message, "be:type").c_str(), type) == 0;
		});
	};

	BMimeType type("text/x-watched");
	ASSERT_EQ(type.SetShortDescription("Watched"), B_OK);
	EXPECT_EQ(notice(B_MIME_TYPE_CREATED, "text/x-watched").what, B_META_MIME_CHANGED);
	EXPECT_EQ(notice(B_SHORT_DESCRIPTION_CHANGED, "text/x-watched").what,
		B_META_MIME_CHANGED);

	BBitmap mini(BRect(0, 0, 15, 15), B_CMAP8);
	fill_icon_pattern(mini);
	ASSERT_EQ(type.SetIcon(&mini, B_MINI_ICON), B_OK);
	BMessage icon = notice(B_ICON_CHANGED, "text/x-watched");
	bool large = true;
	EXPECT_EQ(icon.FindBool("be:large_icon", &large), B_OK);
	EXPECT_FALSE(large);
	ASSERT_EQ(type.SetIconForType("text/plain", &mini, B_MINI_ICON), B_OK);
	BMessage forType = notice(B_ICON_FOR_TYPE_CHANGED, "text/x-watched");
	EXPECT_EQ(string_field(forType, "be:extra_type"), "text/plain");

	// The watch follows the files, not the calls: a record replaced by someone else (as
	// another process does) is announced the same way.
	std::string record = fScratch / "bekit/mime/text/x-watched";
	BMessage stored;
	{
		BFile file(record.c_str(), B_READ_ONLY);
		ASSERT_EQ(stored.Unflatten(&file), B_OK);
	}
	stored.AddString(B_MIME_EXTENSIONS_FIELD, "wtc");
	{
		BFile file((record + ".new").c_str(), B_WRITE_ONLY | B_CREATE_FILE);
		ASSERT_EQ(stored.Flatten(&file), B_OK);
	}
	ASSERT_EQ(rename((record + ".new").c_str(), record.c_str()), 0);
	EXPECT_EQ(notice(B_FILE_EXTENSIONS_CHANGED, "text/x-watched").what,
		B_META_MIME_CHANGED);

	ASSERT_EQ(type.Delete(), B_OK);
	BMessage deleted = notice(B_MIME_TYPE_DELETED, "text/x-watched");
	EXPECT_EQ(deleted.FindInt32("be:action"), (int32)B_META_MIME_DELETED);

	ASSERT_EQ(BMimeType::StopWatching(collector.Messenger()), B_OK);
	EXPECT_EQ(BMimeType::StopWatching(collector.Messenger()), B_BAD_VALUE);
	collector.Clear();
	ASSERT_EQ(type.SetLongDescription("Unheard"), B_OK);
	snooze(100000);
	EXPECT_TRUE(collector.Messages().empty());
}

// Translator add-ons: a roster loads them from a folder, a file or a list of both, runs
// them like its own translators, says where they came from, keeps them in its archive,
// and skips files that are no add-ons.
#include <File.h>
#include <Message.h>
#include <Path.h>
#include <TranslationKit.h>

#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>

#include "ScratchDirectory.h"

namespace {

const char* const kAddOn = TEST_TRANSLATOR_ADDON;


std::string
folder_of(const std::string& path)
{
	return path.substr(0, path.rfind('/'));
}


// The id of the translator named name in roster, or 0.
translator_id
find_translator(BTranslatorRoster& roster, const char* name)
{
	translator_id* ids;
	int32 count;
	translator_id found = 0;
	if (roster.GetAllTranslators(&ids, &count) != B_OK)
		return 0;
	for (int32 i = 0; i < count; i++) {
		const char* translatorName;
		if (roster.GetTranslatorInfo(ids[i], &translatorName, NULL, NULL) == B_OK
			&& strcmp(translatorName, name) == 0)
			found = ids[i];
	}
	delete[] ids;
	return found;
}

} // namespace


TEST(TranslatorAddOn, LoadsAFolderAndRunsItsAddOn)
{
	BTranslatorRoster roster;
	ASSERT_EQ(roster.AddTranslators(folder_of(kAddOn).c_str()), B_OK);
	translator_id id = find_translator(roster, "ROT1 test translator");
	ASSERT_NE(id, 0u);

	const char* info;
	int32 version;
	ASSERT_EQ(roster.GetTranslatorInfo(id, NULL, &info, &version), B_OK);
	EXPECT_STREQ(info, "Turns ROT1 text into plain text.");
	EXPECT_EQ(version, 120);
	const translation_format* formats;
	int32 count;
	ASSERT_EQ(roster.GetInputFormats(id, &formats, &count), B_OK);
	ASSERT_EQ(count, 1);
	EXPECT_EQ(formats[0].type, (uint32)'ROT1');

	BMemoryIO source("ROT1Ifmmp", 9);
	translator_info identified;
	ASSERT_EQ(roster.Identify(&source, NULL, &identified), B_OK);
	EXPECT_EQ(identified.translator, id);
	EXPECT_STREQ(identified.MIME, "text/x-rot1");
	BMallocIO out;
	ASSERT_EQ(roster.Translate(&source, NULL, NULL, &out, B_TRANSLATOR_TEXT), B_OK);
	EXPECT_EQ(std::string((const char*)out.Buffer(), out.BufferLength()), "Hello");

	BMessage settings;
	ASSERT_EQ(roster.GetConfigurationMessage(id, &settings), B_OK);
	EXPECT_EQ(settings.FindInt32("shift"), 1);
	BView* view;
	BRect extent;
	EXPECT_EQ(roster.MakeConfigurationView(id, NULL, &view, &extent), B_ERROR);

	entry_ref ref;
	ASSERT_EQ(roster.GetRefFor(id, &ref), B_OK);
	EXPECT_STREQ(BPath(&ref).Path(), kAddOn);
}


TEST(TranslatorAddOn, LoadsAnAddOnOnceThoughNamedTwice)
{
	BTranslatorRoster roster;
	std::string list = std::string(kAddOn) + ":" + folder_of(kAddOn);
	ASSERT_EQ(roster.AddTranslators(list.c_str()), B_OK);
	translator_id* ids;
	int32 count;
	ASSERT_EQ(roster.GetAllTranslators(&ids, &count), B_OK);
	delete[] ids;
	EXPECT_EQ(count, 1);
}


TEST(TranslatorAddOn, SkipsFilesThatAreNoAddOns)
{
	ScratchDirectory scratch("translators");
	ASSERT_TRUE(scratch.WriteFile("NotAnAddOn", "plain text, no shared object"));
	BTranslatorRoster roster;
	EXPECT_NE(roster.AddTranslators(scratch.Path().c_str()), B_OK);
	std::string list = scratch.Path() + ":" + folder_of(kAddOn) + ":/nonexistent/folder";
	EXPECT_EQ(roster.AddTranslators(list.c_str()), B_OK);
	translator_id* ids;
	int32 count;
	ASSERT_EQ(roster.GetAllTranslators(&ids, &count), B_OK);
	delete[] ids;
	EXPECT_EQ(count, 1);
}


TEST(TranslatorAddOn, AnArchivedRosterLoadsItsAddOnsAgain)
{
	BTranslatorRoster roster;
	ASSERT_EQ(roster.AddTranslators(kAddOn), B_OK);
	BMessage archive;
	ASSERT_EQ(roster.Archive(&archive), B_OK);
	EXPECT_STREQ(archive.FindString("be:translator_path"), kAddOn);

	BArchivable* object = BTranslatorRoster::Instantiate(&archive);
	BTranslatorRoster* copy = dynamic_cast<BTranslatorRoster*>(object);
	ASSERT_NE(copy, nullptr);
	EXPECT_NE(find_translator(*copy, "ROT1 test translator"), 0u);
	delete copy;

	BMessage other;
	other.AddString("class", "BView");
	EXPECT_EQ(BTranslatorRoster::Instantiate(&other), nullptr);
}


TEST(TranslatorAddOn, VersionNamesTheKitsVersions)
{
	int32 current = 0, minimum = 0;
	EXPECT_NE(BTranslatorRoster::Version(&current, &minimum), nullptr);
	EXPECT_EQ(current, B_TRANSLATION_CURRENT_VERSION);
	EXPECT_EQ(minimum, B_TRANSLATION_MIN_VERSION);
}

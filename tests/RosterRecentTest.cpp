// Recent documents, folders and applications: order, filters, counts, entries that went
// away, and a damaged list file.
#include <Entry.h>
#include <Message.h>
#include <Node.h>
#include <NodeInfo.h>
#include <Roster.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

#include "ScopedEnvironment.h"
#include "ScratchDirectory.h"

namespace {

class RosterRecentTest : public ::testing::Test {
protected:
	entry_ref Document(const std::string& name, const char* type)
	{
		EXPECT_TRUE(fFiles.WriteFile(name, "contents"));
		BNode node((fFiles / name).c_str());
		BNodeInfo(&node).SetType(type);
		entry_ref ref;
		EXPECT_EQ(get_ref_for_path((fFiles / name).c_str(), &ref), B_OK);
		return ref;
	}

	static std::vector<std::string> Names(const BMessage& refs)
	{
		std::vector<std::string> names;
		entry_ref ref;
		for (int32 i = 0; refs.FindRef("refs", i, &ref) == B_OK; i++)
			names.push_back(ref.name);
		return names;
	}

	ScratchDirectory fSettings{"settings"};
	// The lists live in the user's settings: here, a scratch one.
	ScopedEnvironment fSettingsHome{"XDG_CONFIG_HOME", fSettings.Path()};
	ScratchDirectory fFiles{"files"};
};

} // namespace


TEST_F(RosterRecentTest, DocumentsComeMostRecentFirstAndFilter)
{
	entry_ref letter = Document("letter.txt", "text/plain");
	entry_ref page = Document("page.html", "text/html");
	entry_ref photo = Document("photo.jpg", "image/jpeg");
	be_roster->AddToRecentDocuments(&letter, "application/x-vnd.test-editor");
	be_roster->AddToRecentDocuments(&photo, "application/x-vnd.test-viewer");
	be_roster->AddToRecentDocuments(&page, "application/x-vnd.test-editor");
	// Used again: it moves to the front, once.
	be_roster->AddToRecentDocuments(&letter, "application/x-vnd.test-editor");

	BMessage all;
	be_roster->GetRecentDocuments(&all, 10);
	EXPECT_EQ(Names(all), (std::vector<std::string>{ "letter.txt", "page.html", "photo.jpg" }));

	BMessage two;
	be_roster->GetRecentDocuments(&two, 2);
	EXPECT_EQ(Names(two).size(), 2u);

	BMessage text;
	be_roster->GetRecentDocuments(&text, 10, "text");
	EXPECT_EQ(Names(text), (std::vector<std::string>{ "letter.txt", "page.html" }));

	BMessage viewer;
	be_roster->GetRecentDocuments(&viewer, 10, NULL, "application/x-vnd.test-viewer");
	EXPECT_EQ(Names(viewer), std::vector<std::string>{ "photo.jpg" });

	const char* types[] = { "image/jpeg", "text/html" };
	BMessage either;
	be_roster->GetRecentDocuments(&either, 10, types, 2);
	EXPECT_EQ(Names(either), (std::vector<std::string>{ "page.html", "photo.jpg" }));

	// A document that went away is left out.
	ASSERT_EQ(unlink((fFiles / "page.html").c_str()), 0);
	BMessage remaining;
	be_roster->GetRecentDocuments(&remaining, 10);
	EXPECT_EQ(Names(remaining), (std::vector<std::string>{ "letter.txt", "photo.jpg" }));
}


TEST_F(RosterRecentTest, FoldersAreAListOfTheirOwn)
{
	entry_ref folder;
	ASSERT_EQ(get_ref_for_path(fFiles.Path().c_str(), &folder), B_OK);
	be_roster->AddToRecentFolders(&folder, "application/x-vnd.test-editor");
	BMessage folders;
	be_roster->GetRecentFolders(&folders, 5);
	EXPECT_EQ(Names(folders).size(), 1u);
	BMessage documents;
	be_roster->GetRecentDocuments(&documents, 5);
	EXPECT_TRUE(Names(documents).empty());
	BMessage other;
	be_roster->GetRecentFolders(&other, 5, "application/x-vnd.test-other");
	EXPECT_TRUE(Names(other).empty());
}


TEST_F(RosterRecentTest, ADamagedListReadsAsEmptyAndIsReplaced)
{
	ASSERT_TRUE(fSettings.WriteFile("recent_entries", "not a list at all"));
	BMessage none;
	be_roster->GetRecentDocuments(&none, 10);
	EXPECT_TRUE(Names(none).empty());

	entry_ref letter = Document("letter.txt", "text/plain");
	be_roster->AddToRecentDocuments(&letter, "application/x-vnd.test-editor");
	BMessage one;
	be_roster->GetRecentDocuments(&one, 10);
	EXPECT_EQ(Names(one), std::vector<std::string>{ "letter.txt" });

	// Bad arguments change nothing.
	be_roster->AddToRecentDocuments(NULL);
	be_roster->GetRecentDocuments(NULL, 10);
	BMessage zero;
	be_roster->GetRecentDocuments(&zero, 0);
	EXPECT_TRUE(Names(zero).empty());
}


TEST_F(RosterRecentTest, TheListKeepsItsNewestEntriesOnly)
{
	for (int i = 0; i < 70; i++) {
		entry_ref ref = Document("file" + std::to_string(i), "text/plain");
		be_roster->AddToRecentDocuments(&ref, "application/x-vnd.test-editor");
	}
	BMessage all;
	be_roster->GetRecentDocuments(&all, 1000);
	std::vector<std::string> names = Names(all);
	ASSERT_EQ(names.size(), 64u);
	EXPECT_EQ(names.front(), "file69");
	EXPECT_EQ(names.back(), "file6");
}

// Queries over real files in a scratch directory (the walk is narrowed to it through
// BE_QUERY_ROOTS): text and pushed predicates, names, sizes, attributes, wildcards,
// case, live updates, the C interface, and predicates that do not parse.
#include <Entry.h>
#include <File.h>
#include <Node.h>
#include <NodeMonitor.h>
#include <Path.h>
#include <Query.h>
#include <String.h>
#include <Volume.h>
#include <fs_query.h>

#include <gtest/gtest.h>

#include <errno.h>
#include <stddef.h>
#include <stdio.h>
#include <string.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <set>
#include <string>

#include "MessageCollector.h"
#include "ScratchDirectory.h"
#include "storage/QueryWalker.h"

namespace {

class QueryTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		setenv(BPrivate::kQueryRootsVariable, fScratch.Path().c_str(), 1);
		struct stat info;
		ASSERT_EQ(stat(fScratch.Path().c_str(), &info), 0);
		ASSERT_EQ(fVolume.SetTo(info.st_dev), B_OK);
		ASSERT_TRUE(fScratch.WriteFile("Report.txt", "twelve bytes"));
		ASSERT_TRUE(fScratch.WriteFile("notes.txt", "x"));
		ASSERT_TRUE(fScratch.WriteFile("picture.png", std::string(2000, 'p')));
		ASSERT_EQ(mkdir((fScratch / "sub").c_str(), 0700), 0);
		ASSERT_TRUE(fScratch.WriteFile("sub/deep report.txt", "deep"));
		fAttributes = fScratch.KeepsUserAttributes();
		if (fAttributes) {
			BNode node((fScratch / "notes.txt").c_str());
			int32 rating = 4;
			node.WriteAttr("rating", B_INT32_TYPE, 0, &rating, sizeof(rating));
			node.WriteAttr("BEOS:TYPE", B_MIME_STRING_TYPE, 0, "text/plain", 11);
		}
	}

	void TearDown() override
	{
		unsetenv(BPrivate::kQueryRootsVariable);
	}

	// The names of what a fetched query gives.
	static std::set<std::string> Read(BQuery& query)
	{
		std::set<std::string> names;
		entry_ref ref;
		while (query.GetNextRef(&ref) == B_OK)
			names.insert(ref.name);
		return names;
	}

	std::set<std::string> Run(const char* predicate)
	{
		BQuery query;
		EXPECT_EQ(query.SetVolume(&fVolume), B_OK);
		EXPECT_EQ(query.SetPredicate(predicate), B_OK);
		EXPECT_EQ(query.Fetch(), B_OK) << predicate;
		return Read(query);
	}

	ScratchDirectory fScratch{"query"};
	BVolume fVolume;
	bool fAttributes = false;
};

typedef std::set<std::string> Names;

} // namespace


TEST_F(QueryTest, NamesMatchWithWildcardsAndCase)
{
	EXPECT_EQ(Run("name==\"*.txt\""), (Names{"Report.txt", "notes.txt", "deep report.txt"}));
	EXPECT_EQ(Run("name==\"*report*\""), (Names{"deep report.txt"}));
	EXPECT_EQ(Run("name==\"*[rR][eE][pP][oO][rR][tT]*\""),
		(Names{"Report.txt", "deep report.txt"}));
	EXPECT_EQ(Run("(name==\"sub\")"), (Names{"sub"}));
	EXPECT_EQ(Run("name!=\"*.txt\""), (Names{"picture.png", "sub"}));
}


TEST_F(QueryTest, SizesAndTimesCompareAsNumbers)
{
	EXPECT_EQ(Run("(size>1000)&&(name==\"*.*\")"), (Names{"picture.png"}));
	EXPECT_EQ(Run("(size>=12)&&(name==\"*.txt\")"), (Names{"Report.txt"}));
	EXPECT_EQ(Run("size<2 || size==4"), (Names{"notes.txt", "deep report.txt"}));
	EXPECT_EQ(Run("last_modified<1000 && name==\"*\""), Names{});
	EXPECT_EQ(Run("!(last_modified<1000) && name==\"notes.txt\""), (Names{"notes.txt"}));
}


TEST_F(QueryTest, AttributesCompareByTheirType)
{
	if (!fAttributes)
		GTEST_SKIP() << "no user extended attributes here";
	EXPECT_EQ(Run("rating>3"), (Names{"notes.txt"}));
	EXPECT_EQ(Run("rating==4.0"), (Names{"notes.txt"}));
	EXPECT_EQ(Run("rating<3"), Names{});
	EXPECT_EQ(Run("BEOS:TYPE==\"text/plain\""), (Names{"notes.txt"}));
	EXPECT_EQ(Run("BEOS:TYPE==\"application/x-vnd.Be-directory\""), (Names{"sub"}));
	// An entry without the attribute differs from every value.
	EXPECT_EQ(Run("BEOS:TYPE!=\"text/plain\" && name==\"*.txt\""),
		(Names{"Report.txt", "deep report.txt"}));
}


TEST_F(QueryTest, PushedTermsMakeTheTextPredicate)
{
	BQuery query;
	ASSERT_EQ(query.PushAttr("name"), B_OK);
	ASSERT_EQ(query.PushString("REPORT", true), B_OK);
	ASSERT_EQ(query.PushOp(B_CONTAINS), B_OK);
	ASSERT_EQ(query.PushAttr("size"), B_OK);
	ASSERT_EQ(query.PushInt64(5), B_OK);
	ASSERT_EQ(query.PushOp(B_GT), B_OK);
	ASSERT_EQ(query.PushOp(B_AND), B_OK);
	BString predicate;
	ASSERT_EQ(query.GetPredicate(&predicate), B_OK);
	EXPECT_STREQ(predicate.String(),
		"((name==\"*[rR][eE][pP][oO][rR][tT]*\")&&(size>5))");
	EXPECT_EQ(query.PredicateLength(), (size_t)predicate.Length());
	char small[8];
	EXPECT_EQ(query.GetPredicate(small, sizeof(small)), B_BAD_VALUE);

	ASSERT_EQ(query.SetVolume(&fVolume), B_OK);
	ASSERT_EQ(query.Fetch(), B_OK);
	EXPECT_EQ(Read(query), (Names{"Report.txt"}));
	EXPECT_EQ(query.Rewind(), B_OK);
	EXPECT_EQ(query.CountEntries(), 1);
	EXPECT_EQ(query.SetPredicate("name==\"x\""), B_NOT_ALLOWED);
	EXPECT_EQ(query.Fetch(), B_NOT_ALLOWED);
}


TEST_F(QueryTest, BadPredicatesAndPushesGetClearErrors)
{
	const char* bad[] = {"", "name==", "name==\"open", "(name==\"a\"", "name==\"a\" &&",
		"==\"a\"", "name ~ \"a\"", "name==\"a\")"};
	for (const char* predicate : bad) {
		BQuery query;
		query.SetVolume(&fVolume);
		query.SetPredicate(predicate);
		EXPECT_EQ(query.Fetch(), B_BAD_VALUE) << predicate;
	}
	std::string deep(200, '(');
	BQuery nested;
	nested.SetVolume(&fVolume);
	nested.SetPredicate((deep + "name==\"a\"" + std::string(200, ')')).c_str());
	EXPECT_EQ(nested.Fetch(), B_BAD_VALUE);

	BQuery pushed;
	EXPECT_EQ(pushed.PushOp(B_AND), B_BAD_VALUE);
	EXPECT_EQ(pushed.PushAttr("a==b"), B_BAD_VALUE);
	pushed.PushAttr("size");
	pushed.PushInt32(3);
	EXPECT_EQ(pushed.PushOp(B_CONTAINS), B_BAD_VALUE);
	BString predicate;
	EXPECT_NE(pushed.GetPredicate(&predicate), B_OK);

	BQuery empty;
	EXPECT_EQ(empty.Fetch(), B_NO_INIT);
	entry_ref ref;
	EXPECT_EQ(empty.GetNextRef(&ref), B_FILE_ERROR);
}


TEST_F(QueryTest, DirentsCarryNodesAndNamesAndResumeWhereTheyStopped)
{
	BQuery query;
	query.SetVolume(&fVolume);
	query.SetPredicate("name==\"*.txt\"");
	ASSERT_EQ(query.Fetch(), B_OK);
	char buffer[4096];
	std::set<std::string> names;
	// Records of the short names (the header, 13 bytes of name at most, rounded up to the
	// record's alignment) fit 48 bytes; the long one waits for more room.
	const size_t kShortRecord = 48;
	ASSERT_LT(offsetof(struct dirent, d_name) + sizeof("Report.txt"), kShortRecord);
	ASSERT_GT(offsetof(struct dirent, d_name) + sizeof("deep report.txt"), kShortRecord);
	while (query.GetNextDirents((struct dirent*)buffer, kShortRecord, 10) == 1) {
		struct dirent* record = (struct dirent*)buffer;
		names.insert(record->d_name);
		EXPECT_NE(record->d_ino, (ino_t)0);
		EXPECT_LE(record->d_reclen, kShortRecord);
	}
	ASSERT_GE(query.GetNextDirents((struct dirent*)buffer, sizeof(buffer), 1), 1);
	EXPECT_STREQ(((struct dirent*)buffer)->d_name, "deep report.txt");
	while (query.GetNextDirents((struct dirent*)buffer, sizeof(buffer), 1) == 1)
		names.insert(((struct dirent*)buffer)->d_name);
	EXPECT_EQ(names, (Names{"Report.txt", "notes.txt"}));
}


TEST_F(QueryTest, LiveQuerySendsEntriesThatComeAndGo)
{
	MessageCollector collector;
	BQuery query;
	query.SetVolume(&fVolume);
	query.SetPredicate("name==\"*.log\"");
	ASSERT_EQ(query.SetTarget(collector.Messenger()), B_OK);
	EXPECT_TRUE(query.IsLive());
	ASSERT_EQ(query.Fetch(), B_OK);
	EXPECT_EQ(Read(query), Names{});

	ASSERT_TRUE(fScratch.WriteFile("sub/new.log", ""));
	BMessage created = collector.WaitForOpcode(B_QUERY_UPDATE, B_ENTRY_CREATED);
	ASSERT_EQ(created.what, B_QUERY_UPDATE);
	EXPECT_STREQ(created.FindString("name"), "new.log");
	struct stat info;
	ASSERT_EQ(stat((fScratch / "sub/new.log").c_str(), &info), 0);
	EXPECT_EQ(created.FindInt64("node"), (int64)info.st_ino);

	// Renamed so that it no longer matches.
	ASSERT_EQ(rename((fScratch / "sub/new.log").c_str(), (fScratch / "sub/new.txt").c_str()),
		0);
	BMessage removed = collector.WaitForOpcode(B_QUERY_UPDATE, B_ENTRY_REMOVED);
	ASSERT_EQ(removed.what, B_QUERY_UPDATE);
	EXPECT_EQ(removed.FindInt64("node"), (int64)info.st_ino);

	// A directory made after the fetch is watched too.
	ASSERT_EQ(mkdir((fScratch / "later").c_str(), 0700), 0);
	ASSERT_TRUE(fScratch.WriteFile("later/x.log", ""));
	BMessage later = collector.WaitFor([](const BMessage& message) {
		const char* name = message.FindString("name");
		return message.what == B_QUERY_UPDATE && name != NULL && strcmp(name, "x.log") == 0;
	});
	EXPECT_EQ(later.what, B_QUERY_UPDATE);
}


TEST_F(QueryTest, CInterfaceReadsMatchesAndTheirPaths)
{
	DIR* query = fs_open_query(fVolume.Device(), "name==\"notes.txt\"", 0);
	ASSERT_NE(query, nullptr);
	struct dirent* entry = fs_read_query(query);
	ASSERT_NE(entry, nullptr);
	EXPECT_STREQ(entry->d_name, "notes.txt");
	char path[B_PATH_NAME_LENGTH];
	ASSERT_EQ(get_path_for_dirent(entry, path, sizeof(path)), B_OK);
	EXPECT_EQ(std::string(path), fScratch / "notes.txt");
	EXPECT_EQ(fs_read_query(query), nullptr);
	EXPECT_EQ(fs_close_query(query), 0);

	EXPECT_EQ(fs_open_query(fVolume.Device(), "name==", 0), nullptr);
	EXPECT_EQ(errno, B_BAD_VALUE);
	EXPECT_EQ(fs_open_live_query(fVolume.Device(), "name==\"a\"", B_LIVE_QUERY, -1, 0), nullptr);
	EXPECT_EQ(errno, B_UNSUPPORTED);
}

#include <String.h>

#include <gtest/gtest.h>

#include <string.h>

TEST(StringTest, BuildsAndEditsText)
{
	BString string;
	EXPECT_STREQ(string.String(), "");
	EXPECT_EQ(string.Length(), 0);
	string << "View " << (int32)2 << " of " << 'W' << "indow";
	EXPECT_EQ(string, "View 2 of Window");
	string.Prepend("Label of ");
	string.Insert("[", 9);
	EXPECT_EQ(string, "Label of [View 2 of Window");
	string.Remove(9, 1).ReplaceAll("of", "in");
	EXPECT_EQ(string, "Label in View 2 in Window");
	string.Truncate(5);
	EXPECT_EQ(string, "Label");
	string.Append("abcdef", 3);
	EXPECT_EQ(string, "Labelabc");
	EXPECT_EQ(BString("abc", 10), "abc");
	EXPECT_EQ(BString(NULL), "");
	EXPECT_EQ(BString("abcdef", 2), "ab");
	BString formatted;
	formatted.SetToFormat("%d-%s", 7, "x");
	EXPECT_EQ(formatted, "7-x");
	BString(NULL).Append(NULL).Prepend(NULL).Insert(NULL, 0);
}


TEST(StringTest, FindsAndCompares)
{
	BString string("one two one");
	EXPECT_EQ(string.FindFirst("one"), 0);
	EXPECT_EQ(string.FindFirst("one", 1), 8);
	EXPECT_EQ(string.FindLast("one"), 8);
	EXPECT_EQ(string.FindFirst("three"), B_ERROR);
	EXPECT_EQ(string.FindFirst('t'), 4);
	EXPECT_EQ(string.FindLast('o'), 8);
	EXPECT_EQ(string.IFindFirst("TWO"), 4);
	EXPECT_EQ(string.FindFirst("one", 100), B_ERROR);
	EXPECT_TRUE(string.StartsWith("one"));
	EXPECT_TRUE(string.EndsWith(" one"));
	EXPECT_LT(BString("a"), BString("b"));
	EXPECT_EQ(BString("abc").ICompare("ABC"), 0);
	EXPECT_EQ(string.ByteAt(100), 0);
}


TEST(StringTest, LockBufferWritesInPlace)
{
	BString string("start");
	char* buffer = string.LockBuffer(20);
	strcpy(buffer, "written directly");
	string.UnlockBuffer();
	EXPECT_EQ(string, "written directly");
	EXPECT_EQ(string.Length(), 16);
	string.LockBuffer(20)[3] = '\0';
	string.UnlockBuffer();
	EXPECT_EQ(string, "wri");
}


TEST(StringTest, ReplaceFamiliesHonourCountOffsetAndCase)
{
	BString string("a-b-a-b-a");
	EXPECT_EQ(BString(string).Replace('a', 'x', 2, 0), "x-b-x-b-a");
	EXPECT_EQ(BString(string).Replace('a', 'x', 5, 3), "a-b-x-b-x");
	EXPECT_EQ(BString(string).Replace("a-", "", 1, 1), "a-b-b-a");
	EXPECT_EQ(BString(string).Replace("a", "aa", -1, 0), "aa-b-aa-b-aa");
	EXPECT_EQ(BString(string).Replace("a", "x", 0, 0), string);

	BString mixed("Tab TAB tab");
	EXPECT_EQ(BString(mixed).IReplaceFirst("tab", "x"), "x TAB tab");
	EXPECT_EQ(BString(mixed).IReplaceLast("TAB", "x"), "Tab TAB x");
	EXPECT_EQ(BString(mixed).IReplaceAll("tAb", "x", 1), "Tab x x");
	EXPECT_EQ(BString(mixed).IReplace("tab", "-", 2, 0), "- - tab");
	EXPECT_EQ(BString(mixed).IReplaceFirst('t', '_'), "_ab TAB tab");
	EXPECT_EQ(BString(mixed).IReplaceLast('T', '_'), "Tab TAB _ab");
	EXPECT_EQ(BString(mixed).IReplaceAll('a', '4', 4), "Tab T4B t4b");
	EXPECT_EQ(BString(mixed).IReplace('b', '8', 2, 0), "Ta8 TA8 tab");

	EXPECT_EQ(BString("a,b;c").ReplaceSet(",;", ' '), "a b c");
	EXPECT_EQ(BString("a,b;c").ReplaceSet(",;", "<>"), "a<>b<>c");
}


TEST(StringTest, ReplacementsAndFindsRejectBadArguments)
{
	BString string("abc");
	string.Replace(NULL, "x", 1, 0).Replace("b", NULL, 1, 0).Replace("", "x", -1, 0);
	string.Replace("a", "x", -1, -4).Replace("a", "x", -1, 99).IReplace(NULL, "x", 1, 0);
	string.ReplaceSet(NULL, 'x').ReplaceSet("a", (const char*)NULL);
	EXPECT_EQ(string, "abc");
	EXPECT_EQ(string.IFindLast("B", 1), B_ERROR);
	EXPECT_EQ(string.IFindLast("B", 2), 1);
	EXPECT_EQ(string.IFindLast(NULL, 2), B_ERROR);
	EXPECT_EQ(string.FindFirst(BString("c")), 2);
	EXPECT_EQ(string.IFindFirst(BString("C")), 2);
}


TEST(StringTest, CapitalizesEachWordAndEscapes)
{
	EXPECT_EQ(BString("hELLO wide-wORLD 4you").CapitalizeEachWord(), "Hello Wide-World 4You");
	EXPECT_EQ(BString("").CapitalizeEachWord(), "");

	BString escaped;
	escaped.CharacterEscape("say \"hi\" \\o/", "\"\\", '\\');
	EXPECT_EQ(escaped, "say \\\"hi\\\" \\\\o/");
	EXPECT_EQ(BString().CharacterDeescape(escaped.String(), '\\'), "say \"hi\" \\o/");
	EXPECT_EQ(BString("a b").CharacterEscape(" ", '%'), "a% b");
	EXPECT_EQ(BString("ab%").CharacterDeescape('%'), "ab");
	EXPECT_EQ(BString("keep").CharacterEscape(NULL, "e", '!'), "k!e!ep");
}


TEST(StringTest, MovesRangesOutAndComparesFromTheLeft)
{
	BString source("head-body-tail");
	BString into;
	source.MoveInto(into, 4, 5);
	EXPECT_EQ(into, "-body");
	EXPECT_EQ(source, "head-tail");
	char buffer[8] = {};
	source.MoveInto(buffer, 0, 4);
	EXPECT_STREQ(buffer, "head");
	EXPECT_EQ(source, "-tail");
	source.MoveInto(source, 0, 2);
	EXPECT_EQ(source, "-tail");

	BString other("xyz");
	BString adopted;
	adopted.Adopt(other, 2);
	EXPECT_EQ(adopted, "xy");
	EXPECT_EQ(other, "");

	BString middle("mid");
	EXPECT_TRUE("abc" < middle);
	EXPECT_TRUE("mid" <= middle);
	EXPECT_TRUE("zzz" > middle);
	EXPECT_TRUE("mid" >= middle);
	EXPECT_TRUE(middle <= "mid");
	EXPECT_GT(Compare(&middle, &other), 0);
	EXPECT_EQ(ICompare(BString("MID"), middle), 0);

	BString inserted("ac");
	inserted.Insert("xbx", 1, 1, 1);
	EXPECT_EQ(inserted, "abc");
	inserted.Insert(inserted, 1, 3);
	EXPECT_EQ(inserted, "abca");
	inserted.RemoveAll(BString("a"));
	EXPECT_EQ(inserted, "bc");
}

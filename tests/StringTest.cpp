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

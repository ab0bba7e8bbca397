#include <Message.h>

#include <DataIO.h>
#include <Entry.h>
#include <Flattenable.h>
#include <Path.h>
#include <String.h>

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

#include "ScratchDirectory.h"

namespace {

std::vector<char>
Flatten(const BMessage& message)
{
	std::vector<char> buffer(message.FlattenedSize());
	EXPECT_EQ(message.Flatten(buffer.data(), buffer.size()), B_OK);
	return buffer;
}


BMessage
RoundTrip(const BMessage& message)
{
	std::vector<char> buffer = Flatten(message);
	BMessage copy;
	EXPECT_EQ(copy.Unflatten(buffer.data(), buffer.size()), B_OK);
	return copy;
}


void
ExpectEmpty(const BMessage& message)
{
	EXPECT_EQ(message.what, 0u);
	EXPECT_TRUE(message.IsEmpty());
	EXPECT_EQ(message.CountNames(B_ANY_TYPE), 0);
	EXPECT_FALSE(message.HasSpecifiers());
}

} // namespace


TEST(MessageTest, EveryTypedFieldSurvivesAFlattenRoundTrip)
{
	BMessage message('abcd');
	ASSERT_EQ(message.AddBool("bool", true), B_OK);
	ASSERT_EQ(message.AddInt8("int8", -8), B_OK);
	ASSERT_EQ(message.AddUInt8("uint8", 200), B_OK);
	ASSERT_EQ(message.AddInt16("int16", -1600), B_OK);
	ASSERT_EQ(message.AddUInt16("uint16", 60000), B_OK);
	ASSERT_EQ(message.AddInt32("int32", -320000), B_OK);
	ASSERT_EQ(message.AddUInt32("uint32", 4000000000u), B_OK);
	ASSERT_EQ(message.AddInt64("int64", -(1LL << 40)), B_OK);
	ASSERT_EQ(message.AddUInt64("uint64", 1ULL << 63), B_OK);
	ASSERT_EQ(message.AddFloat("float", 1.5f), B_OK);
	ASSERT_EQ(message.AddDouble("double", -2.25), B_OK);
	ASSERT_EQ(message.AddString("string", "Window"), B_OK);
	ASSERT_EQ(message.AddString("bstring", BString("bee")), B_OK);
	ASSERT_EQ(message.AddPoint("point", BPoint(1.5, 2)), B_OK);
	ASSERT_EQ(message.AddRect("rect", BRect(0, 0, 99.5, 20)), B_OK);
	ASSERT_EQ(message.AddPointer("pointer", &message), B_OK);
	const char raw[] = { 1, 2, 3 };
	ASSERT_EQ(message.AddData("raw", B_RAW_TYPE, raw, sizeof(raw), false), B_OK);

	BMessage copy = RoundTrip(message);
	EXPECT_EQ(copy.what, 'abcd');
	EXPECT_EQ(copy.CountNames(B_ANY_TYPE), 17);

	bool b = false;
	int8 i8 = 0;
	uint8 u8 = 0;
	int16 i16 = 0;
	uint16 u16 = 0;
	int32 i32 = 0;
	uint32 u32 = 0;
	int64 i64 = 0;
	uint64 u64 = 0;
	float f = 0;
	double d = 0;
	const char* string = NULL;
	BString bstring;
	BPoint point;
	BRect rect;
	void* pointer = NULL;
	EXPECT_EQ(copy.FindBool("bool", &b), B_OK);
	EXPECT_TRUE(b);
	EXPECT_EQ(copy.FindInt8("int8", &i8), B_OK);
	EXPECT_EQ(i8, -8);
	EXPECT_EQ(copy.FindUInt8("uint8", &u8), B_OK);
	EXPECT_EQ(u8, 200);
	EXPECT_EQ(copy.FindInt16("int16", &i16), B_OK);
	EXPECT_EQ(i16, -1600);
	EXPECT_EQ(copy.FindUInt16("uint16", &u16), B_OK);
	EXPECT_EQ(u16, 60000);
	EXPECT_EQ(copy.FindInt32("int32", &i32), B_OK);
	EXPECT_EQ(i32, -320000);
	EXPECT_EQ(copy.FindUInt32("uint32", &u32), B_OK);
	EXPECT_EQ(u32, 4000000000u);
	EXPECT_EQ(copy.FindInt64("int64", &i64), B_OK);
	EXPECT_EQ(i64, -(1LL << 40));
	EXPECT_EQ(copy.FindUInt64("uint64", &u64), B_OK);
	EXPECT_EQ(u64, 1ULL << 63);
	EXPECT_EQ(copy.FindFloat("float", &f), B_OK);
	EXPECT_EQ(f, 1.5f);
	EXPECT_EQ(copy.FindDouble("double", &d), B_OK);
	EXPECT_EQ(d, -2.25);
	EXPECT_EQ(copy.FindString("string", &string), B_OK);
	EXPECT_STREQ(string, "Window");
	EXPECT_EQ(copy.FindString("bstring", &bstring), B_OK);
	EXPECT_EQ(bstring, "bee");
	EXPECT_EQ(copy.FindPoint("point", &point), B_OK);
	EXPECT_EQ(point, BPoint(1.5, 2));
	EXPECT_EQ(copy.FindRect("rect", &rect), B_OK);
	EXPECT_EQ(rect, BRect(0, 0, 99.5, 20));
	EXPECT_EQ(copy.FindPointer("pointer", &pointer), B_OK);
	EXPECT_EQ(pointer, &message);

	const void* data;
	ssize_t size;
	EXPECT_EQ(copy.FindData("raw", B_RAW_TYPE, &data, &size), B_OK);
	ASSERT_EQ(size, 3);
	EXPECT_EQ(memcmp(data, raw, 3), 0);
	// Strings are stored with their NUL.
	EXPECT_EQ(copy.FindData("string", B_STRING_TYPE, &data, &size), B_OK);
	EXPECT_EQ(size, 7);

	// Equal messages flatten to equal bytes.
	EXPECT_EQ(Flatten(copy), Flatten(message));
}


TEST(MessageTest, FindsFailWithTheRightCodeAndClearTheResult)
{
	BMessage message;
	message.AddInt32("number", 5);
	int32 value = 7;
	EXPECT_EQ(message.FindInt32("missing", &value), B_NAME_NOT_FOUND);
	EXPECT_EQ(value, 0);
	const char* string = "x";
	EXPECT_EQ(message.FindString("number", &string), B_BAD_TYPE);
	EXPECT_EQ(string, nullptr);
	EXPECT_EQ(message.FindInt32("number", 1, &value), B_BAD_INDEX);
	EXPECT_EQ(message.FindInt32("number", -1, &value), B_BAD_INDEX);
	EXPECT_EQ(message.AddString("number", "five"), B_BAD_TYPE);
	EXPECT_EQ(message.AddData("number", B_INT32_TYPE, "ab", 2), B_BAD_VALUE);
	EXPECT_EQ(message.AddData("any", B_ANY_TYPE, "ab", 2), B_BAD_TYPE);
	EXPECT_EQ(message.AddInt32(NULL, 1), B_BAD_VALUE);
	EXPECT_EQ(message.AddInt32(std::string(256, 'n').c_str(), 1), B_BAD_VALUE);
	EXPECT_EQ(message.AddInt32(std::string(255, 'n').c_str(), 1), B_OK);

	// An int32 field made of 2-byte items is not read as an int32.
	message.AddData("short", B_INT32_TYPE, "ab", 2, false);
	EXPECT_EQ(message.FindInt32("short", &value), B_BAD_DATA);

	// A string without its NUL is never handed out.
	message.AddData("unterminated", B_STRING_TYPE, "abc", 3, false);
	EXPECT_EQ(message.FindString("unterminated", &string), B_BAD_DATA);
	EXPECT_EQ(string, nullptr);

	EXPECT_TRUE(message.HasInt32("number"));
	EXPECT_FALSE(message.HasInt32("number", 1));
	EXPECT_FALSE(message.HasString("number"));
	EXPECT_TRUE(message.HasData("number", B_ANY_TYPE));
}


TEST(MessageTest, ManyItemsPerFieldKeepTheirOrderAcrossFields)
{
	BMessage message;
	// Interleaved adds grow fields that are not the last one.
	for (int32 i = 0; i < 100; i++) {
		ASSERT_EQ(message.AddInt32("numbers", i), B_OK);
		ASSERT_EQ(message.AddString("texts", BString().SetToFormat("text %d", (int)i)), B_OK);
		ASSERT_EQ(message.AddInt8("bytes", (int8)i), B_OK);
	}
	BMessage copy = RoundTrip(message);
	for (const BMessage* m : { &message, &copy }) {
		for (int32 i = 0; i < 100; i++) {
			int32 number;
			const char* text;
			int8 byte;
			ASSERT_EQ(m->FindInt32("numbers", i, &number), B_OK);
			EXPECT_EQ(number, i);
			ASSERT_EQ(m->FindString("texts", i, &text), B_OK);
			EXPECT_EQ(BString().SetToFormat("text %d", (int)i), text);
			ASSERT_EQ(m->FindInt8("bytes", i, &byte), B_OK);
			EXPECT_EQ(byte, i);
		}
	}
}


TEST(MessageTest, GetInfoWalksFieldsInInsertionOrder)
{
	BMessage message;
	message.AddString("zeta", "z");
	message.AddInt32("alpha", 1);
	message.AddInt32("alpha", 2);
	message.AddString("mid", "m");
	message.AddData("fixed", B_RAW_TYPE, "abcd", 4, true);

	const char* name;
	type_code type;
	int32 count;
	ASSERT_EQ(message.GetInfo(B_ANY_TYPE, 0, &name, &type, &count), B_OK);
	EXPECT_STREQ(name, "zeta");
	EXPECT_EQ(type, (type_code)B_STRING_TYPE);
	ASSERT_EQ(message.GetInfo(B_ANY_TYPE, 1, &name, &type, &count), B_OK);
	EXPECT_STREQ(name, "alpha");
	EXPECT_EQ(count, 2);
	ASSERT_EQ(message.GetInfo(B_STRING_TYPE, 1, &name, &type, &count), B_OK);
	EXPECT_STREQ(name, "mid");
	EXPECT_EQ(message.GetInfo(B_ANY_TYPE, 3, &name, &type), B_OK);
	EXPECT_EQ(message.GetInfo(B_ANY_TYPE, 4, &name, &type), B_BAD_INDEX);
	EXPECT_EQ(message.GetInfo(B_STRING_TYPE, 2, &name, &type), B_BAD_INDEX);
	EXPECT_EQ(message.GetInfo(B_DOUBLE_TYPE, 0, &name, &type), B_BAD_TYPE);
	char* mutableName;
	EXPECT_EQ(message.GetInfo(B_INT32_TYPE, 0, &mutableName, &type), B_OK);
	EXPECT_STREQ(mutableName, "alpha");

	bool fixedSize = false;
	EXPECT_EQ(message.GetInfo("fixed", &type, &fixedSize), B_OK);
	EXPECT_TRUE(fixedSize);
	EXPECT_EQ(message.GetInfo("mid", &type, &fixedSize), B_OK);
	EXPECT_FALSE(fixedSize);
	EXPECT_EQ(message.GetInfo("alpha", &type, &count), B_OK);
	EXPECT_EQ(count, 2);
	EXPECT_EQ(message.GetInfo("none", &type, &count), B_NAME_NOT_FOUND);

	EXPECT_EQ(message.CountNames(B_ANY_TYPE), 4);
	EXPECT_EQ(message.CountNames(B_STRING_TYPE), 2);
	EXPECT_EQ(message.CountNames(B_FLOAT_TYPE), 0);
}


TEST(MessageTest, ReplaceRemoveAndRenameKeepOtherFieldsIntact)
{
	BMessage message('tst1');
	message.AddString("a", "first");
	message.AddString("a", "second");
	message.AddString("a", "third");
	message.AddInt32("b", 1);
	message.AddInt16("c", 1);
	message.AddInt16("c", 2);
	message.AddInt16("c", 3);

	// A longer and then a shorter string in the middle of a field.
	EXPECT_EQ(message.ReplaceString("a", 1, "a much longer second string"), B_OK);
	EXPECT_EQ(message.ReplaceString("a", 0, "1"), B_OK);
	EXPECT_EQ(message.ReplaceInt32("b", 42), B_OK);
	EXPECT_EQ(message.ReplaceInt32("b", 1, 42), B_BAD_INDEX);
	EXPECT_EQ(message.ReplaceInt32("missing", 42), B_NAME_NOT_FOUND);
	EXPECT_EQ(message.ReplaceString("b", "x"), B_BAD_TYPE);
	EXPECT_EQ(message.RemoveData("c", 1), B_OK);

	const char* text;
	int32 b;
	int16 c;
	message.FindString("a", 0, &text);
	EXPECT_STREQ(text, "1");
	message.FindString("a", 1, &text);
	EXPECT_STREQ(text, "a much longer second string");
	message.FindString("a", 2, &text);
	EXPECT_STREQ(text, "third");
	message.FindInt32("b", &b);
	EXPECT_EQ(b, 42);
	message.FindInt16("c", 0, &c);
	EXPECT_EQ(c, 1);
	message.FindInt16("c", 1, &c);
	EXPECT_EQ(c, 3);
	EXPECT_FALSE(message.HasInt16("c", 2));

	EXPECT_EQ(message.RemoveData("a", 1), B_OK);
	message.FindString("a", 1, &text);
	EXPECT_STREQ(text, "third");

	EXPECT_EQ(message.Rename("a", "a-renamed-to-a-longer-name"), B_OK);
	EXPECT_EQ(message.Rename("b", "c"), B_NAME_IN_USE);
	EXPECT_EQ(message.Rename("none", "d"), B_NAME_NOT_FOUND);
	EXPECT_FALSE(message.HasString("a"));
	message.FindString("a-renamed-to-a-longer-name", 1, &text);
	EXPECT_STREQ(text, "third");

	// Removing the last item removes the field.
	EXPECT_EQ(message.RemoveData("b"), B_OK);
	EXPECT_EQ(message.GetInfo("b", NULL), B_NAME_NOT_FOUND);
	EXPECT_EQ(message.RemoveName("c"), B_OK);
	EXPECT_EQ(message.RemoveName("c"), B_NAME_NOT_FOUND);
	EXPECT_EQ(message.CountNames(B_ANY_TYPE), 1);

	BMessage copy = RoundTrip(message);
	copy.FindString("a-renamed-to-a-longer-name", 0, &text);
	EXPECT_STREQ(text, "1");

	EXPECT_EQ(message.MakeEmpty(), B_OK);
	EXPECT_TRUE(message.IsEmpty());
	EXPECT_EQ(message.what, 'tst1');
}


TEST(MessageTest, NestedMessagesRoundTripAtEveryLevel)
{
	BMessage inner('innr');
	inner.AddString("deep", "value");
	BMessage middle('midl');
	middle.AddMessage("inner", &inner);
	middle.AddInt32("n", 3);
	BMessage outer(B_REPLY);
	outer.AddMessage("middle", &middle);
	outer.AddMessage("middle", &inner);
	// A message may hold a copy of itself.
	outer.AddMessage("self", &outer);

	BMessage copy = RoundTrip(outer);
	BMessage foundMiddle, foundInner;
	ASSERT_EQ(copy.FindMessage("middle", &foundMiddle), B_OK);
	EXPECT_EQ(foundMiddle.what, 'midl');
	ASSERT_EQ(foundMiddle.FindMessage("inner", &foundInner), B_OK);
	EXPECT_EQ(foundInner.what, 'innr');
	const char* deep;
	ASSERT_EQ(foundInner.FindString("deep", &deep), B_OK);
	EXPECT_STREQ(deep, "value");
	ASSERT_EQ(copy.FindMessage("middle", 1, &foundInner), B_OK);
	EXPECT_EQ(foundInner.what, 'innr');
	BMessage self;
	ASSERT_EQ(copy.FindMessage("self", &self), B_OK);
	EXPECT_EQ(self.CountNames(B_ANY_TYPE), 1);

	// A message may be found into itself.
	ASSERT_EQ(copy.FindMessage("middle", &copy), B_OK);
	EXPECT_EQ(copy.what, 'midl');
}


TEST(MessageTest, SpecifierStackKeepsOrderAndCursor)
{
	BMessage message(B_GET_PROPERTY);
	EXPECT_FALSE(message.HasSpecifiers());
	int32 index;
	EXPECT_EQ(message.GetCurrentSpecifier(&index), B_BAD_SCRIPT_SYNTAX);

	ASSERT_EQ(message.AddSpecifier("Label"), B_OK);
	ASSERT_EQ(message.AddSpecifier("View", "fBackView"), B_OK);
	ASSERT_EQ(message.AddSpecifier("Item", 2, 3), B_OK);
	BMessage reverse(B_REVERSE_INDEX_SPECIFIER);
	reverse.AddString("property", "Window");
	reverse.AddInt32("index", 1);
	ASSERT_EQ(message.AddSpecifier(&reverse), B_OK);
	ASSERT_EQ(message.AddSpecifier("Window", 0), B_OK);
	EXPECT_EQ(message.AddSpecifier("Window", -1), B_BAD_INDEX);
	EXPECT_TRUE(message.HasSpecifiers());

	BMessage copy = RoundTrip(message);
	EXPECT_TRUE(copy.HasSpecifiers());

	BMessage specifier;
	int32 what;
	const char* property;
	ASSERT_EQ(copy.GetCurrentSpecifier(&index, &specifier, &what, &property), B_OK);
	EXPECT_EQ(index, 4);
	EXPECT_EQ(what, B_INDEX_SPECIFIER);
	EXPECT_STREQ(property, "Window");

	ASSERT_EQ(copy.PopSpecifier(), B_OK);
	ASSERT_EQ(copy.GetCurrentSpecifier(&index, &specifier, &what, &property), B_OK);
	EXPECT_EQ(index, 3);
	EXPECT_EQ(what, B_REVERSE_INDEX_SPECIFIER);

	ASSERT_EQ(copy.PopSpecifier(), B_OK);
	ASSERT_EQ(copy.GetCurrentSpecifier(&index, &specifier, &what, &property), B_OK);
	EXPECT_EQ(what, B_RANGE_SPECIFIER);
	int32 value;
	EXPECT_EQ(specifier.FindInt32("index", &value), B_OK);
	EXPECT_EQ(value, 2);
	EXPECT_EQ(specifier.FindInt32("range", &value), B_OK);
	EXPECT_EQ(value, 3);

	// Popping moves the cursor; the stack itself stays whole, in the order added.
	ASSERT_EQ(copy.PopSpecifier(), B_OK);
	ASSERT_EQ(copy.PopSpecifier(), B_OK);
	ASSERT_EQ(copy.GetCurrentSpecifier(&index, NULL, &what), B_OK);
	EXPECT_EQ(index, 0);
	EXPECT_EQ(what, B_DIRECT_SPECIFIER);
	ASSERT_EQ(copy.PopSpecifier(), B_OK);
	EXPECT_EQ(copy.GetCurrentSpecifier(&index), B_BAD_SCRIPT_SYNTAX);
	EXPECT_EQ(copy.PopSpecifier(), B_BAD_VALUE);
	EXPECT_TRUE(copy.HasSpecifiers());
	ASSERT_EQ(copy.FindMessage("specifiers", 1, &specifier), B_OK);
	EXPECT_EQ(specifier.what, B_NAME_SPECIFIER);
	const char* name;
	EXPECT_EQ(specifier.FindString("name", &name), B_OK);
	EXPECT_STREQ(name, "fBackView");

	// MakeEmpty drops the stack and keeps what.
	copy.MakeEmpty();
	EXPECT_FALSE(copy.HasSpecifiers());
	EXPECT_EQ(copy.what, B_GET_PROPERTY);

	// Removing the stack's field ends the stack.
	message.RemoveName("specifiers");
	EXPECT_FALSE(message.HasSpecifiers());
	EXPECT_EQ(message.GetCurrentSpecifier(&index), B_BAD_SCRIPT_SYNTAX);
}


TEST(MessageTest, CopiesAreIndependent)
{
	BMessage original('orig');
	original.AddString("name", "value");
	original.AddSpecifier("Frame");
	BMessage copy(original);
	BMessage assigned;
	assigned = original;
	original.ReplaceString("name", "changed");
	for (BMessage* m : { &copy, &assigned }) {
		const char* text;
		ASSERT_EQ(m->FindString("name", &text), B_OK);
		EXPECT_STREQ(text, "value");
		EXPECT_TRUE(m->HasSpecifiers());
		EXPECT_EQ(m->what, 'orig');
	}
}


TEST(MessageTest, EntryRefMeansTheSameFileAfterARoundTrip)
{
	ScratchDirectory directory("message");
	std::string file = directory / "target";
	ASSERT_TRUE(directory.WriteFile("target", ""));

	entry_ref ref;
	ASSERT_EQ(get_ref_for_path(file.c_str(), &ref), B_OK);
	BMessage message;
	ASSERT_EQ(message.AddRef("ref", &ref), B_OK);
	BMessage copy = RoundTrip(message);
	entry_ref found;
	ASSERT_EQ(copy.FindRef("ref", &found), B_OK);
	EXPECT_EQ(found, ref);
	BEntry entry(&found);
	ASSERT_EQ(entry.InitCheck(), B_OK);
	BPath path;
	ASSERT_EQ(entry.GetPath(&path), B_OK);
	EXPECT_STREQ(path.Path(), file.c_str());

	// The item is also readable when added as raw fixed-size data.
	const void* data;
	ssize_t size;
	ASSERT_EQ(copy.FindData("ref", B_REF_TYPE, &data, &size), B_OK);
	BMessage scratch;
	ASSERT_EQ(scratch.AddData("myref", B_REF_TYPE, data, size, true), B_OK);
	ASSERT_EQ(scratch.FindRef("myref", &found), B_OK);
	EXPECT_STREQ(found.name, "target");

	// A malformed item is refused.
	BMessage bad;
	bad.AddData("ref", B_REF_TYPE, "short", 5);
	EXPECT_EQ(bad.FindRef("ref", &found), B_BAD_DATA);
}


TEST(MessageTest, UnflattenRefusesBadBuffersAndLeavesTheMessageEmpty)
{
	BMessage source('good');
	source.AddString("name", "value");
	source.AddInt32("numbers", 1);
	source.AddInt32("numbers", 2);
	BMessage nested('nest');
	nested.AddBool("flag", true);
	source.AddMessage("nested", &nested);
	source.AddSpecifier("Title");
	std::vector<char> good = Flatten(source);

	auto expectRefused = [](const std::vector<char>& bytes, size_t size) {
		BMessage target('full');
		target.AddString("before", "x");
		EXPECT_NE(target.Unflatten(bytes.data(), size), B_OK);
		ExpectEmpty(target);
	};

	// Every truncation.
	for (size_t size = 0; size < good.size(); size++)
		expectRefused(good, size);

	// Every single corrupted byte either is refused or gives a message that flattens
	// again (nothing in between).
	for (size_t i = 0; i < good.size(); i++) {
		for (int delta : { 1, 0x80 }) {
			std::vector<char> bad = good;
			bad[i] = (char)(bad[i] + delta);
			BMessage target;
			if (target.Unflatten(bad.data(), bad.size()) == B_OK) {
				BMessage again = RoundTrip(target);
				EXPECT_EQ(again.CountNames(B_ANY_TYPE), target.CountNames(B_ANY_TYPE));
			} else
				ExpectEmpty(target);
		}
	}

	// Wrong magic, negative size, no buffer.
	std::vector<char> bad = good;
	bad[0] = 'X';
	BMessage target;
	EXPECT_EQ(target.Unflatten(bad.data(), bad.size()), B_NOT_A_MESSAGE);
	EXPECT_EQ(target.Unflatten(good.data(), -1), B_BAD_VALUE);
	EXPECT_EQ(target.Unflatten(NULL, 10), B_BAD_VALUE);

	// A size in the header beyond the limit is refused before anything is allocated.
	bad = good;
	uint32 huge = 0x7fffffff;
	memcpy(bad.data() + 24, &huge, sizeof(huge));
	expectRefused(bad, bad.size());

	// Longer buffers are fine: the message ends where its header says.
	std::vector<char> longer = good;
	longer.resize(good.size() + 100, 'x');
	BMessage fromLonger;
	EXPECT_EQ(fromLonger.Unflatten(longer.data(), longer.size()), B_OK);
	EXPECT_EQ(fromLonger.what, 'good');
}


// A nested message the same as the one before it is known good by comparing; one that
// differs anywhere, even only in its header, is checked in full.
TEST(MessageTest, RepeatedNestedMessagesAreEachChecked)
{
	BMessage source(B_GET_PROPERTY);
	source.AddSpecifier("Label");
	for (int i = 0; i < 4; i++)
		source.AddSpecifier("View", 0);
	std::vector<char> good = Flatten(source);
	BMessage target;
	ASSERT_EQ(target.Unflatten(good.data(), good.size()), B_OK);
	EXPECT_EQ(target.CountNames(B_MESSAGE_TYPE), 1);

	// Where each message starts: the request, then its five specifiers.
	std::vector<size_t> starts;
	for (size_t i = 0; i + 4 <= good.size(); i++) {
		if (memcmp(good.data() + i, "BMSG", 4) == 0)
			starts.push_back(i);
	}
	ASSERT_EQ(starts.size(), 6u);
	for (size_t specifier = 2; specifier < starts.size(); specifier++) {
		for (size_t field : { (size_t)4, (size_t)28 }) {	// version, reserved
			std::vector<char> bad = good;
			bad[starts[specifier] + field]++;
			EXPECT_EQ(target.Unflatten(bad.data(), bad.size()), B_BAD_DATA)
				<< "specifier " << specifier << ", byte " << field;
			ExpectEmpty(target);
		}
	}

	// Every single corrupted byte either is refused or gives a message that flattens again.
	for (size_t i = starts[1]; i < good.size(); i++) {
		std::vector<char> bad = good;
		bad[i] = (char)(bad[i] + 1);
		if (target.Unflatten(bad.data(), bad.size()) == B_OK) {
			BMessage again = RoundTrip(target);
			EXPECT_EQ(again.CountNames(B_ANY_TYPE), target.CountNames(B_ANY_TYPE));
		} else
			ExpectEmpty(target);
	}
}


TEST(MessageTest, NestingBeyondTheLimitIsRefused)
{
	// 32 levels below the top are accepted, 33 are not.
	BMessage message('lvl0');
	for (int level = 0; level < 32; level++) {
		BMessage outer('nest');
		outer.AddMessage("inner", &message);
		message = outer;
	}
	std::vector<char> ok = Flatten(message);
	BMessage target;
	EXPECT_EQ(target.Unflatten(ok.data(), ok.size()), B_OK);

	// Adding one more level is refused at once...
	BMessage deeper('nest');
	EXPECT_EQ(deeper.AddMessage("inner", &message), B_BAD_VALUE);
	EXPECT_TRUE(deeper.IsEmpty());
	EXPECT_EQ(deeper.AddData("inner", B_MESSAGE_TYPE, ok.data(), ok.size()), B_BAD_VALUE);

	// ... and by the receiver: the same bytes added as raw data, retyped in the buffer.
	ASSERT_EQ(deeper.AddData("inner", B_RAW_TYPE, ok.data(), ok.size()), B_OK);
	std::vector<char> tooDeep = Flatten(deeper);
	uint32 messageType = B_MESSAGE_TYPE;
	memcpy(tooDeep.data() + 32, &messageType, sizeof(messageType));
	EXPECT_EQ(target.Unflatten(tooDeep.data(), tooDeep.size()), B_BAD_DATA);
	ExpectEmpty(target);

	// Raw bytes that are no message are never stored as one.
	EXPECT_EQ(deeper.AddData("bogus", B_MESSAGE_TYPE, "bytes", 5), B_BAD_VALUE);
}


// Items of variable size are found from where the last one was: every order of reading,
// and every change in between, must still find the right item.
TEST(MessageTest, VariableSizeItemsAreFoundInAnyOrderAcrossChanges)
{
	BMessage message('curs');
	ASSERT_EQ(message.AddString("before", "b"), B_OK);
	std::vector<std::string> expected;
	for (int i = 0; i < 40; i++) {
		expected.push_back(std::string(i % 13 + 1, (char)('a' + i % 26)));
		ASSERT_EQ(message.AddString("text", expected.back().c_str()), B_OK);
	}
	ASSERT_EQ(message.AddString("other", "x"), B_OK);

	auto expectAll = [&](const char* when) {
		SCOPED_TRACE(when);
		const char* found;
		for (int i = (int)expected.size() - 1; i >= 0; i -= 3) {
			ASSERT_EQ(message.FindString("text", i, &found), B_OK);
			EXPECT_EQ(found, expected[i]);
		}
		for (int i = 0; i < (int)expected.size(); i++) {
			ASSERT_EQ(message.FindString("text", i, &found), B_OK);
			EXPECT_EQ(found, expected[i]);
		}
		EXPECT_EQ(message.FindString("text", (int32)expected.size(), &found), B_BAD_INDEX);
	};

	expectAll("as added");
	const char* found;
	ASSERT_EQ(message.FindString("text", 20, &found), B_OK);
	ASSERT_EQ(message.ReplaceString("text", 10, "a much longer replacement"), B_OK);
	expected[10] = "a much longer replacement";
	expectAll("after growing an item before the last one read");

	ASSERT_EQ(message.FindString("text", 30, &found), B_OK);
	ASSERT_EQ(message.RemoveData("text", 5), B_OK);
	expected.erase(expected.begin() + 5);
	expectAll("after removing an item");

	ASSERT_EQ(message.FindString("text", 30, &found), B_OK);
	ASSERT_EQ(message.ReplaceString("before", 0, "moves every item of the next field"), B_OK);
	expectAll("after the field before grew");

	ASSERT_EQ(message.FindString("text", 30, &found), B_OK);
	ASSERT_EQ(message.Rename("before", "a name long enough to move the next field"), B_OK);
	ASSERT_EQ(message.AddString("last", "new field"), B_OK);
	expectAll("after the field before was renamed");

	BMessage copy(message);
	message.MakeEmpty();
	EXPECT_EQ(message.FindString("text", 0, &found), B_NAME_NOT_FOUND);
	ASSERT_EQ(copy.FindString("text", 30, &found), B_OK);
	EXPECT_EQ(found, expected[30]);
}


// A request's specifiers are resolved from the outermost inwards, by every thread that
// reads the message: each finds every item, in a field read backwards and in a second one
// read backwards after it.
TEST(MessageTest, ItemsReadBackwardsByThreadsAtOnceAreEachFound)
{
	BMessage request(B_GET_PROPERTY);
	std::vector<std::string> names;
	for (int i = 0; i < 100; i++) {
		names.push_back(std::string(i % 11 + 1, (char)('a' + i % 26)));
		ASSERT_EQ(request.AddSpecifier(names.back().c_str(), (int32)i), B_OK);
		ASSERT_EQ(request.AddString("label", names.back().c_str()), B_OK);
	}
	const BMessage& shared = request;
	auto readBackwards = [&](int rounds) {
		int wrong = 0;
		for (int round = 0; round < rounds; round++) {
			for (int i = (int)names.size() - 1; i >= 0; i--) {
				BMessage specifier;
				const char* text;
				int32 index;
				if (shared.FindMessage("specifiers", i, &specifier) != B_OK
					|| specifier.FindString("property", &text) != B_OK || text != names[i]
					|| specifier.FindInt32("index", &index) != B_OK || index != i)
					wrong++;
				if (shared.FindString("label", i, &text) != B_OK || text != names[i])
					wrong++;
			}
		}
		return wrong;
	};
	std::vector<std::thread> threads;
	std::vector<int> wrong(4, 0);
	for (int t = 0; t < 4; t++)
		threads.emplace_back([&, t] { wrong[t] = readBackwards(20); });
	for (std::thread& thread : threads)
		thread.join();
	EXPECT_EQ(wrong, std::vector<int>(4, 0));

	// A change forgets the offsets: what moved is found where it went.
	ASSERT_EQ(request.RemoveData("specifiers", 50), B_OK);
	names.erase(names.begin() + 50);
	BMessage specifier;
	const char* property;
	for (int i = (int)names.size() - 1; i >= 0; i -= 7) {
		ASSERT_EQ(request.FindMessage("specifiers", i, &specifier), B_OK);
		ASSERT_EQ(specifier.FindString("property", &property), B_OK);
		EXPECT_EQ(property, names[i]);
	}
}


// Reading nested messages one after another into the same message, larger and smaller,
// gives each exactly, whatever it held before.
TEST(MessageTest, FindMessageReplacesTheWholeContentOfItsTarget)
{
	BMessage small('smal');
	small.AddInt32("value", 1);
	BMessage large('larg');
	large.AddString("text", std::string(500, 'l').c_str());
	large.AddSpecifier("View", (int32)3);
	large.AddSpecifier("Window", (int32)1);

	BMessage holder('hold');
	holder.AddMessage("item", &large);
	holder.AddMessage("item", &small);
	holder.AddMessage("item", &large);

	BMessage target('old ');
	target.AddString("stale", "gone");
	for (int i : { 0, 1, 2, 1 }) {
		ASSERT_EQ(holder.FindMessage("item", i, &target), B_OK);
		const BMessage& source = i == 1 ? small : large;
		EXPECT_EQ(Flatten(target), Flatten(source));
		EXPECT_FALSE(target.HasString("stale"));
	}
	int32 index;
	ASSERT_EQ(holder.FindMessage("item", 2, &target), B_OK);
	ASSERT_EQ(target.GetCurrentSpecifier(&index), B_OK);
	EXPECT_EQ(index, 1);

	// A message can read an item of its own.
	ASSERT_EQ(holder.FindMessage("item", 1, &holder), B_OK);
	EXPECT_EQ(Flatten(holder), Flatten(small));
}


// Items of type B_MESSAGE_TYPE are trusted once they are in a message, so that none
// may enter unchecked.
TEST(MessageTest, FlattenableObjectsPosingAsMessagesAreChecked)
{
	class Posing : public BFlattenable {
	public:
		explicit Posing(std::vector<char> bytes) : fBytes(std::move(bytes)) {}
		bool IsFixedSize() const override { return false; }
		type_code TypeCode() const override { return B_MESSAGE_TYPE; }
		ssize_t FlattenedSize() const override { return fBytes.size(); }
		status_t Flatten(void* buffer, ssize_t size) const override
		{
			memcpy(buffer, fBytes.data(), size);
			return B_OK;
		}
		status_t Unflatten(type_code, const void*, ssize_t) override { return B_ERROR; }

	private:
		std::vector<char> fBytes;
	};

	BMessage inner('innr');
	inner.AddString("text", "fine");
	BMessage message('outr');
	Posing good(Flatten(inner));
	ASSERT_EQ(message.AddFlat("item", &good), B_OK);
	std::vector<char> broken = Flatten(inner);
	broken[broken.size() - 2] = 'x';	// the string loses its NUL
	broken[0] ^= 1;
	Posing bad(broken);
	EXPECT_EQ(message.AddFlat("item", &bad), B_BAD_VALUE);

	int32 count = 0;
	message.GetInfo("item", NULL, &count);
	EXPECT_EQ(count, 1);
	BMessage found;
	ASSERT_EQ(message.FindMessage("item", 0, &found), B_OK);
	EXPECT_EQ(Flatten(found), Flatten(inner));
}


TEST(MessageTest, UnsizedUnflattenReadsOwnBuffers)
{
	BMessage source('mine');
	source.AddString("a", "b");
	std::vector<char> buffer = Flatten(source);
	BMessage target;
	ASSERT_EQ(target.Unflatten(buffer.data()), B_OK);
	EXPECT_EQ(target.what, 'mine');
}


TEST(MessageTest, StreamsCarryMessagesBackToBack)
{
	BMessage first('frst');
	first.AddString("text", "one");
	first.AddSpecifier("Frame");
	BMessage second('scnd');
	BMallocIO stream;
	ssize_t size = 0;
	ASSERT_EQ(first.Flatten(&stream, &size), B_OK);
	EXPECT_EQ(size, first.FlattenedSize());
	ASSERT_EQ(second.Flatten(&stream), B_OK);

	stream.Seek(0, SEEK_SET);
	BMessage read;
	ASSERT_EQ(read.Unflatten(&stream), B_OK);
	EXPECT_EQ(read.what, 'frst');
	EXPECT_TRUE(read.HasSpecifiers());
	ASSERT_EQ(read.Unflatten(&stream), B_OK);
	EXPECT_EQ(read.what, 'scnd');
	// The stream has ended.
	EXPECT_NE(read.Unflatten(&stream), B_OK);
	ExpectEmpty(read);

	// A header that announces more than the stream holds.
	BMallocIO truncated;
	truncated.Write(stream.Buffer(), first.FlattenedSize() - 1);
	truncated.Seek(0, SEEK_SET);
	EXPECT_EQ(read.Unflatten(&truncated), B_BAD_DATA);
	ExpectEmpty(read);
}


TEST(MessageTest, PrintToStreamShowsEveryItemAndNesting)
{
	BMessage inner(B_REPLY);
	inner.AddInt32("error", 0);
	BMessage message('abcd');
	message.AddString("name", "Window");
	message.AddInt32("index", 2);
	message.AddInt32("index", 3);
	message.AddMessage("reply", &inner);
	message.AddData("raw", B_RAW_TYPE, "xy", 2);
	message.AddString("format", "%s%n");

	testing::internal::CaptureStdout();
	message.PrintToStream();
	std::string output = testing::internal::GetCapturedStdout();
	EXPECT_EQ(output,
		"BMessage('abcd') {\n"
		"        name = string(\"Window\", 7 bytes)\n"
		"        index[0] = int32(0x2 or 2)\n"
		"        index[1] = int32(0x3 or 3)\n"
		"        reply = BMessage('RPLY') {\n"
		"                error = int32(0x0 or 0)\n"
		"        }\n"
		"        raw = (type = 'RAWT')(size = 2)\n"
		"        format = string(\"%s%n\", 5 bytes)\n"
		"}\n");
}


TEST(MessageTest, OlderFindFormsReturnTheItemOrZero)
{
	BMessage message('old ');
	message.AddString("text", "first");
	message.AddString("text", "second");
	message.AddInt32("number", 7);
	message.AddBool("flag", true);
	message.AddRect("frame", BRect(1, 2, 3, 4));
	message.AddPoint("where", BPoint(5, 6));
	message.AddFloat("ratio", 0.5f);
	message.AddDouble("precise", 0.25);
	message.AddInt8("small", -3);
	message.AddInt16("medium", 300);
	message.AddInt64("large", 1LL << 40);

	EXPECT_STREQ(message.FindString("text"), "first");
	EXPECT_STREQ(message.FindString("text", 1), "second");
	EXPECT_EQ(message.FindString("text", 2), nullptr);
	EXPECT_EQ(message.FindString("number"), nullptr);
	EXPECT_EQ(message.FindInt32("number"), 7);
	EXPECT_EQ(message.FindInt32("missing"), 0);
	EXPECT_TRUE(message.FindBool("flag"));
	EXPECT_FALSE(message.FindBool("missing"));
	EXPECT_EQ(message.FindRect("frame"), BRect(1, 2, 3, 4));
	EXPECT_FALSE(message.FindRect("missing").IsValid());
	EXPECT_EQ(message.FindPoint("where"), BPoint(5, 6));
	EXPECT_EQ(message.FindFloat("ratio"), 0.5f);
	EXPECT_EQ(message.FindDouble("precise"), 0.25);
	EXPECT_EQ(message.FindInt8("small"), -3);
	EXPECT_EQ(message.FindInt16("medium"), 300);
	EXPECT_EQ(message.FindInt64("large"), 1LL << 40);

	// The status forms are still chosen for pointers.
	int32 number = 0;
	EXPECT_EQ(message.FindInt32("number", &number), B_OK);
	EXPECT_EQ(number, 7);
}


// Code of the platform's era finds into a long, a long long, a dev_t or an ino_t; a
// pointer must never be taken for the index of the older finds.
TEST(MessageTest, FindsIntoThePlatformsIntegerTypesOfThatEra)
{
	BMessage message('node');
	message.AddInt32("device", 7);
	message.AddInt32("device", -3);
	message.AddInt64("node", 1234567890123LL);

	long device = 0;
	ASSERT_EQ(message.FindInt32("device", &device), B_OK);
	EXPECT_EQ(device, 7);
	ASSERT_EQ(message.FindInt32("device", 1, &device), B_OK);
	EXPECT_EQ(device, -3);
	dev_t deviceNumber = 0;
	ASSERT_EQ(message.FindInt32("device", &deviceNumber), B_OK);
	EXPECT_EQ(deviceNumber, (dev_t)7);
	ino_t node = 0;
	ASSERT_EQ(message.FindInt64("node", &node), B_OK);
	EXPECT_EQ(node, (ino_t)1234567890123LL);
	long long wide = 0;
	ASSERT_EQ(message.FindInt64("node", 0, &wide), B_OK);
	EXPECT_EQ(wide, 1234567890123LL);

	device = 99;
	EXPECT_EQ(message.FindInt32("node", &device), B_BAD_TYPE);
	EXPECT_EQ(device, 0);
	node = 99;
	EXPECT_EQ(message.FindInt64("missing", &node), B_NAME_NOT_FOUND);
	EXPECT_EQ(node, (ino_t)0);
	EXPECT_EQ(message.FindInt32("device", (long*)NULL), B_BAD_VALUE);
}


TEST(MessageTest, DevicesAndNodesReadIntoLinuxTypes)
{
	// Node monitor notices carry an int32 "device" and an int64 "node", which code of the
	// platform reads straight into dev_t and ino_t.
	BMessage notice;
	notice.AddInt32("device", (int32)0x80000803u);
	notice.AddInt64("node", 1234567890123LL);
	dev_t device = 0;
	ino_t node = 0;
	ASSERT_EQ(notice.FindInt32("device", &device), B_OK);
	ASSERT_EQ(notice.FindInt64("node", &node), B_OK);
	EXPECT_EQ(device, (dev_t)0x80000803u);
	EXPECT_EQ(node, (ino_t)1234567890123LL);
	EXPECT_EQ(notice.FindInt64("device", &node), B_BAD_TYPE);
	EXPECT_EQ(node, (ino_t)0);
}

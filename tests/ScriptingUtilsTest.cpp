#include "ScriptingUtils.h"

#include <AppDefs.h>
#include <Entry.h>
#include <List.h>
#include <Message.h>
#include <PropertyInfo.h>
#include <TypeConstants.h>

#include <gtest/gtest.h>

#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::string
Take(char* text)
{
	std::unique_ptr<char[]> owned(text);
	return owned.get();
}


std::string
Name(int32 code)
{
	return Take(get_datatype_string(code));
}


std::string
Fallback(int32 code)
{
	char buffer[13];
	return id2str(code, buffer);
}


std::string
Format(int32 type, const void* data, int32 size)
{
	return Take(format_data(type, data, size));
}


template<typename Value>
std::string
FormatValue(int32 type, const Value& value)
{
	return Format(type, &value, sizeof(value));
}


std::vector<char>
Flatten(const BMessage& message)
{
	std::vector<char> buffer(message.FlattenedSize());
	EXPECT_EQ(message.Flatten(buffer.data(), buffer.size()), B_OK);
	return buffer;
}


// Empties a list that add_message_contents() filled, freeing each line as its owner must.
std::vector<std::string>
TakeDumpLines(BList& lines)
{
	std::vector<std::string> taken;
	for (int32 i = 0; i < lines.CountItems(); i++) {
		char* line = static_cast<char*>(lines.ItemAt(i));
		taken.push_back(line);
		free(line);
	}
	lines.MakeEmpty();
	return taken;
}


// Empties a list that DehydratePropertyInfo() filled, deleting each line as its owner must.
std::vector<std::string>
TakeTableLines(BList& lines)
{
	std::vector<std::string> taken;
	for (int32 i = 0; i < lines.CountItems(); i++) {
		char* line = static_cast<char*>(lines.ItemAt(i));
		taken.push_back(line);
		delete[] line;
	}
	lines.MakeEmpty();
	return taken;
}


std::string
Blanks(size_t count)
{
	return std::string(count, ' ');
}


BMessage
Specifier(uint32 form, const char* property)
{
	BMessage specifier(form);
	if (property != NULL)
		specifier.AddString("property", property);
	return specifier;
}

} // namespace


// #pragma mark - Code names


TEST(DatatypeStringTest, NamesCodesOfEveryGroup)
{
	EXPECT_EQ(Name(B_INT32_TYPE), "B_INT32_TYPE");
	EXPECT_EQ(Name('TEXT'), "B_ASCII_TYPE");
	EXPECT_EQ(Name('SCTD'), "B_PROPERTY_INFO_TYPE");
	EXPECT_EQ(Name('_ABR'), "B_ABOUT_REQUESTED");
	EXPECT_EQ(Name('_WZM'), "B_ZOOM");
	EXPECT_EQ(Name('_SDH'), "_SHOW_DRAG_HANDLES_");
	EXPECT_EQ(Name('PGET'), "B_GET_PROPERTY");
	EXPECT_EQ(Name('SUIT'), "B_GET_SUPPORTED_SUITES");
	EXPECT_EQ(Name('RPLY'), "B_REPLY");
	EXPECT_EQ(Name('QUPD'), "B_QUERY_UPDATE");
	EXPECT_EQ(Name(0), "B_NO_SPECIFIER");
	EXPECT_EQ(Name(7), "B_ID_SPECIFIER");
	EXPECT_EQ(Name(-1), "B_ERROR");
	EXPECT_EQ(Name(static_cast<int32>(0x80002008)), "B_BAD_SCRIPT_SYNTAX");
}


TEST(DatatypeStringTest, CodesWithoutANameFallBack)
{
	EXPECT_EQ(Name(8), "8L");
	EXPECT_EQ(Name(0x61626364), "'abcd'");
	// Codes the platform knows but the table does not name.
	EXPECT_EQ(Name('BRAS'), "'BRAS'");
	EXPECT_EQ(Name(B_STRING_LIST_TYPE), "'STRL'");
}


TEST(Id2strTest, QuotesPrintableCodesWithoutLeadingZeroBytes)
{
	EXPECT_EQ(Fallback(0x61626364), "'abcd'");
	EXPECT_EQ(Fallback(0x00414243), "'ABC'");
	EXPECT_EQ(Fallback(0x00004142), "'AB'");
	EXPECT_EQ(Fallback(0x00000041), "'A'");
	EXPECT_EQ(Fallback(0x7F414243), "'\x7F" "ABC'");
}


TEST(Id2strTest, WritesOtherCodesAsSignedNumbers)
{
	EXPECT_EQ(Fallback(0), "0L");
	EXPECT_EQ(Fallback(8), "8L");
	EXPECT_EQ(Fallback(0x41420043), "1094844483L");
	EXPECT_EQ(Fallback(static_cast<int32>(0x80000001)), "-2147483647L");
	EXPECT_EQ(Fallback(0x1F414243), "524370499L");
	EXPECT_EQ(Fallback(INT32_MIN), "-2147483648L");
}


TEST(IsValidCharTest, AcceptsBlankToDelete)
{
	EXPECT_FALSE(is_valid_char(0x00));
	EXPECT_FALSE(is_valid_char(0x1F));
	EXPECT_TRUE(is_valid_char(0x20));
	EXPECT_TRUE(is_valid_char('A'));
	EXPECT_TRUE(is_valid_char(0x7F));
	EXPECT_FALSE(is_valid_char(0x80));
	EXPECT_FALSE(is_valid_char(0xFF));
}


// #pragma mark - Items


TEST(FormatDataTest, EmptyItemsAreEmptyText)
{
	int32 value = 5;
	EXPECT_EQ(Format(B_INT32_TYPE, &value, 0), "");
	EXPECT_EQ(Format(B_RAW_TYPE, &value, 0), "");
	EXPECT_EQ(Format(B_STRING_TYPE, &value, -3), "");
	EXPECT_EQ(Format(B_MESSAGE_TYPE, NULL, 0), "");
}


TEST(FormatDataTest, Booleans)
{
	EXPECT_EQ(FormatValue(B_BOOL_TYPE, uint8(2)), "TRUE");
	EXPECT_EQ(FormatValue(B_BOOL_TYPE, uint8(0)), "FALSE");
}


TEST(FormatDataTest, IntegersWidenSignedValues)
{
	EXPECT_EQ(FormatValue(B_INT8_TYPE, uint8(0xFF)), "-1 (0xFFFFFFFF)");
	EXPECT_EQ(FormatValue(B_CHAR_TYPE, 'A'), "65 (0x41)");
	EXPECT_EQ(FormatValue(B_UINT8_TYPE, uint8(0xFF)), "255 (0xFF)");
	EXPECT_EQ(FormatValue(B_INT16_TYPE, int16(-2)), "-2 (0xFFFFFFFE)");
	EXPECT_EQ(FormatValue(B_INT16_TYPE, int16(300)), "300 (0x012C)");
	EXPECT_EQ(FormatValue(B_UINT16_TYPE, uint16(0xFFFF)), "65535 (0xFFFF)");
	EXPECT_EQ(FormatValue(B_INT32_TYPE, int32(5)), "5 (0x00000005)");
	EXPECT_EQ(FormatValue(B_INT32_TYPE, int32(-1)), "-1 (0xFFFFFFFF)");
	EXPECT_EQ(FormatValue(B_SIZE_T_TYPE, int32(12)), "12 (0x0000000C)");
	EXPECT_EQ(FormatValue(B_UINT32_TYPE, uint32(0xFFFFFFFF)), "4294967295 (0xFFFFFFFF)");
	EXPECT_EQ(FormatValue(B_INT64_TYPE, int64(5)), "5 (0x5)");
	EXPECT_EQ(FormatValue(B_SSIZE_T_TYPE, int64(-1)), "-1 (0xFFFFFFFFFFFFFFFF)");
	EXPECT_EQ(FormatValue(B_UINT64_TYPE, UINT64_MAX),
		"18446744073709551615 (0xFFFFFFFFFFFFFFFF)");
}


TEST(FormatDataTest, FloatsPrintEveryIntegerDigit)
{
	EXPECT_EQ(FormatValue(B_FLOAT_TYPE, 1.5f), "1.500");
	EXPECT_EQ(FormatValue(B_DOUBLE_TYPE, -0.25), "-0.250");
	EXPECT_EQ(FormatValue(B_FLOAT_TYPE, 1e20f), "100000002004087734272.000");
	std::string huge = FormatValue(B_DOUBLE_TYPE, 1e300);
	EXPECT_EQ(huge.size(), 301u + 4u);
	EXPECT_EQ(huge.substr(huge.size() - 4), ".000");
}


TEST(FormatDataTest, GeometryAndColors)
{
	float rect[4] = { 0, 0, 99.5f, 20 };
	EXPECT_EQ(FormatValue(B_RECT_TYPE, rect), "BRect(0.0, 0.0, 99.5, 20.0)");
	float point[2] = { 1.5f, 2 };
	EXPECT_EQ(FormatValue(B_POINT_TYPE, point), "BPoint(1.5, 2.0)");
	uint8 color[4] = { 255, 0, 16, 255 };
	EXPECT_EQ(FormatValue(B_RGB_COLOR_TYPE, color), "Red=255  Green=0  Blue=16  Alpha=255");
}


TEST(FormatDataTest, ByteListsStopAt256Entries)
{
	uint8 small[3] = { 1, 22, 255 };
	EXPECT_EQ(FormatValue(B_COLOR_8_BIT_TYPE, small), "1 22 255");

	std::vector<uint8> bytes(300, 7);
	std::string expected = "7";
	for (int i = 1; i < 256; i++)
		expected += " 7";
	EXPECT_EQ(Format(B_COLOR_8_BIT_TYPE, bytes.data(), bytes.size()), expected);
}


TEST(FormatDataTest, StringsAreQuotedUpToTheirNulAnd512Bytes)
{
	EXPECT_EQ(Format(B_STRING_TYPE, "Window", 7), "\"Window\"");
	EXPECT_EQ(Format(B_MIME_TYPE, "text/plain", 10), "\"text/plain\"");
	EXPECT_EQ(Format(B_ASCII_TYPE, "ab\0cd", 5), "\"ab\"");
	// No NUL inside the item: only its bytes are shown.
	EXPECT_EQ(Format(B_STRING_TYPE, "abcdef", 3), "\"abc\"");

	std::string long_(1000, 'x');
	EXPECT_EQ(Format(B_STRING_TYPE, long_.c_str(), long_.size() + 1),
		"\"" + std::string(512, 'x') + "\"");
}


TEST(FormatDataTest, OtherTypesAreHexadecimalDumps)
{
	uint8 raw[2] = { 0x01, 0x80 };
	EXPECT_EQ(FormatValue(B_RAW_TYPE, raw), "0x01, 0x80");
	uint8 any[3] = { 0x41, 0x00, 0xFF };
	EXPECT_EQ(FormatValue(B_ANY_TYPE, any), "0x41, 0x00, 0xFF");
	EXPECT_EQ(FormatValue(B_MESSENGER_TYPE, raw), "0x01, 0x80");
	EXPECT_EQ(FormatValue('abcd', raw), "0x01, 0x80");

	std::vector<uint8> bytes(300, 0xAB);
	std::string dump = Format(B_RAW_TYPE, bytes.data(), bytes.size());
	EXPECT_EQ(dump.size(), 256u * 4 + 255u * 2);
	EXPECT_EQ(dump.substr(dump.size() - 6), ", 0xAB");
}


// Regression: fixed-width values were read whatever the item's size.
TEST(FormatDataTest, ItemsShorterThanTheirTypeAreDumped)
{
	uint8 bytes[15] = { 1, 2, 3 };
	EXPECT_EQ(Format(B_INT16_TYPE, bytes, 1), "0x01");
	EXPECT_EQ(Format(B_INT32_TYPE, bytes, 3), "0x01, 0x02, 0x03");
	EXPECT_EQ(Format(B_INT64_TYPE, bytes, 2), "0x01, 0x02");
	EXPECT_EQ(Format(B_DOUBLE_TYPE, bytes, 1), "0x01");
	EXPECT_EQ(Format(B_POINTER_TYPE, bytes, 1), "0x01");
	EXPECT_EQ(Format(B_RGB_COLOR_TYPE, bytes, 3), "0x01, 0x02, 0x03");
	EXPECT_EQ(Format(B_RECT_TYPE, bytes, 15).substr(0, 16), "0x01, 0x02, 0x03");
	// One byte is enough for these.
	EXPECT_EQ(Format(B_BOOL_TYPE, bytes, 1), "TRUE");
	EXPECT_EQ(Format(B_UINT8_TYPE, bytes, 1), "1 (0x01)");
}


TEST(FormatDataTest, Pointers)
{
	int target;
	void* pointer = &target;
	char expected[32];
	snprintf(expected, sizeof(expected), "%p", pointer);
	EXPECT_EQ(FormatValue(B_POINTER_TYPE, pointer), expected);
}


TEST(FormatDataTest, NestedMessagesShowTheirWhat)
{
	std::vector<char> reply = Flatten(BMessage(B_REPLY));
	EXPECT_EQ(Format(B_MESSAGE_TYPE, reply.data(), reply.size()), "what=B_REPLY");
	std::vector<char> odd = Flatten(BMessage('xyzw'));
	EXPECT_EQ(Format(B_MESSAGE_TYPE, odd.data(), odd.size()), "what='xyzw'");

	EXPECT_EQ(Format(B_MESSAGE_TYPE, reply.data(), reply.size() - 1),
		"error when unflattening");
	uint8 garbage[4] = { 1, 2, 3, 4 };
	EXPECT_EQ(FormatValue(B_MESSAGE_TYPE, garbage), "error when unflattening");
}


TEST(FormatDataTest, RefsShowTheirPath)
{
	char path[] = "/tmp/ScriptingUtilsTestXXXXXX";
	int fd = mkstemp(path);
	ASSERT_GE(fd, 0);
	close(fd);

	entry_ref ref;
	ASSERT_EQ(BEntry(path).GetRef(&ref), B_OK);
	BMessage holder;
	ASSERT_EQ(holder.AddRef("ref", &ref), B_OK);
	const void* data;
	ssize_t size;
	ASSERT_EQ(holder.FindData("ref", B_REF_TYPE, &data, &size), B_OK);
	EXPECT_EQ(Format(B_REF_TYPE, data, size), path);
	unlink(path);

	uint8 garbage[3] = { 1, 2, 3 };
	EXPECT_EQ(FormatValue(B_REF_TYPE, garbage), "invalid entry_ref");
}


// #pragma mark - Specifier chains


class SpecifierToStrTest : public testing::Test {
protected:
	void SetUp() override
	{
		fRequest.what = B_GET_PROPERTY;
		fRequest.AddSpecifier("Label");
		fRequest.AddSpecifier("View", "fBackView");
		fRequest.AddSpecifier("Window", int32(0));
	}

	BMessage fRequest;
};


TEST_F(SpecifierToStrTest, ReadsInnermostFirst)
{
	EXPECT_STREQ(specifier_to_str(&fRequest, false).String(),
		"Label of View \"fBackView\" of Window 0");
}


TEST_F(SpecifierToStrTest, OmitFirstDropsThePropertyAndItsSeparator)
{
	EXPECT_STREQ(specifier_to_str(&fRequest, true).String(),
		"View \"fBackView\" of Window 0");
}


TEST_F(SpecifierToStrTest, AutoresolveMarksItsSpecifierWithIn)
{
	fRequest.AddInt32("autoresolve", 2);
	EXPECT_STREQ(specifier_to_str(&fRequest, false).String(),
		"Label of View \"fBackView\" in Window 0");
	fRequest.ReplaceInt32("autoresolve", 1);
	EXPECT_STREQ(specifier_to_str(&fRequest, true).String(),
		"View \"fBackView\" of Window 0");
	// A value that points at no separator must not overflow looking for one.
	fRequest.ReplaceInt32("autoresolve", INT32_MAX);
	EXPECT_STREQ(specifier_to_str(&fRequest, false).String(),
		"Label of View \"fBackView\" of Window 0");
}


TEST(SpecifierFormsTest, EveryForm)
{
	struct {
		BMessage	specifier;
		const char*	text;
	} cases[] = {
		{ Specifier(B_NO_SPECIFIER, "Item"), "(none)" },
		{ Specifier(B_DIRECT_SPECIFIER, "Frame"), "Frame" },
		{ Specifier(B_INDEX_SPECIFIER, "View"), "View 4" },
		{ Specifier(B_REVERSE_INDEX_SPECIFIER, "Window"), "Window -1" },
		{ Specifier(B_RANGE_SPECIFIER, "Item"), "Item [2 to 3]" },
		{ Specifier(B_REVERSE_RANGE_SPECIFIER, "Item"), "Item [-2 to 3]" },
		{ Specifier(B_NAME_SPECIFIER, "Window"), "Window \"Main\"" },
		{ Specifier(B_ID_SPECIFIER, "Handler"), "Handler 42" },
		{ Specifier(9, "Item"), "(unknown)" },
	};
	cases[2].specifier.AddInt32("index", 4);
	cases[3].specifier.AddInt32("index", 1);
	cases[4].specifier.AddInt32("index", 2);
	cases[4].specifier.AddInt32("range", 3);
	cases[5].specifier.AddInt32("index", 2);
	cases[5].specifier.AddInt32("range", 3);
	cases[6].specifier.AddString("name", "Main");
	cases[7].specifier.AddInt32("id", 42);

	for (auto& testCase : cases) {
		BMessage request(B_GET_PROPERTY);
		request.AddSpecifier(&testCase.specifier);
		EXPECT_STREQ(specifier_to_str(&request, false).String(), testCase.text);
	}
}


TEST(SpecifierFormsTest, StringIdsAreShownAsTheyAre)
{
	BMessage specifier = Specifier(B_ID_SPECIFIER, "Handler");
	specifier.AddString("id", "abc");
	BMessage request(B_GET_PROPERTY);
	request.AddSpecifier(&specifier);
	EXPECT_STREQ(specifier_to_str(&request, false).String(), "Handler abc");
}


// Regression: missing or mistyped fields were printed from uninitialised values.
TEST(SpecifierFormsTest, MissingFieldsReadAsQuestionMarks)
{
	BMessage index = Specifier(B_INDEX_SPECIFIER, NULL);
	BMessage name = Specifier(B_NAME_SPECIFIER, "View");
	name.AddInt32("name", 3);
	BMessage range = Specifier(B_RANGE_SPECIFIER, "Item");
	range.AddString("index", "2");
	BMessage request(B_GET_PROPERTY);
	request.AddSpecifier(&index);
	request.AddSpecifier(&name);
	request.AddSpecifier(&range);
	EXPECT_STREQ(specifier_to_str(&request, false).String(),
		"? ? of View \"?\" of Item [? to ?]");
}


TEST(SpecifierFormsTest, NoSpecifiersGiveNoText)
{
	BMessage request(B_GET_PROPERTY);
	EXPECT_STREQ(specifier_to_str(&request, false).String(), "");
	EXPECT_STREQ(specifier_to_str(&request, true).String(), "");
	request.AddSpecifier("Title");
	EXPECT_STREQ(specifier_to_str(&request, true).String(), "");
	EXPECT_STREQ(specifier_to_str(&request, false).String(), "Title");
}


// #pragma mark - Items on one line


TEST(DataToStrTest, JoinsItemsAndNamesAllButData)
{
	BMessage message;
	message.AddInt32("data", 7);
	message.AddString("name", "x");
	EXPECT_STREQ(data_to_str(&message).String(), "7 (0x00000007) and name=\"x\"");
}


TEST(DataToStrTest, ListsEveryItemOfAField)
{
	BMessage message;
	message.AddBool("flag", true);
	message.AddBool("flag", false);
	message.AddInt8("data", 1);
	EXPECT_STREQ(data_to_str(&message).String(), "flag=TRUE and flag=FALSE and 1 (0x01)");
	BMessage empty;
	EXPECT_STREQ(data_to_str(&empty).String(), "");
}


// #pragma mark - Message dumps


TEST(MessageDumpTest, PrintsHeadingAndOneLinePerItem)
{
	BMessage reply(B_REPLY);
	reply.AddString("result", "Window");
	reply.AddInt32("error", 0);
	testing::internal::CaptureStdout();
	print_message(&reply);
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
		"BMessage(B_REPLY):\n"
		"   \"result\" (B_STRING_TYPE) : \"Window\"\n"
		"   \"error\" (B_INT32_TYPE) : 0 (0x00000000)\n");
}


// Names and strings come from other applications: none of their control characters may
// reach the terminal (an escape sequence could rewrite what the user sees).
TEST(MessageDumpTest, ControlCharactersArePrintedAsEscapes)
{
	EXPECT_STREQ(printable_str("a\nb\tc\rd\x1b[2J\x7f").String(),
		"a\\nb\\tc\\rd\\x1b[2J\\x7f");
	// C1 controls in UTF-8 are escaped; other characters, é included, are kept.
	EXPECT_STREQ(printable_str("\xc2\x9b" "31m caf\xc3\xa9").String(),
		"\\xc2\\x9b" "31m caf\xc3\xa9");
	EXPECT_STREQ(printable_str("").String(), "");

	BMessage reply(B_REPLY);
	reply.AddString("suites\x1b]0;owned\x07", "suite/vnd.\x1b[31mred");
	testing::internal::CaptureStdout();
	print_message(&reply);
	std::string printed = testing::internal::GetCapturedStdout();
	EXPECT_EQ(printed.find('\x1b'), std::string::npos) << printed;
	EXPECT_NE(printed.find("suite/vnd.\\x1b[31mred"), std::string::npos) << printed;
}


TEST(MessageDumpTest, EmptyMessagesAndUnnamedCodes)
{
	BMessage empty('abcd');
	testing::internal::CaptureStdout();
	print_message(&empty);
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "BMessage('abcd'):\n");
}


// Regression: the heading printed a DEL in the what code raw, which the items' type codes
// show escaped.
TEST(MessageDumpTest, TheHeadingEscapesItsCodeAsTheItemsDo)
{
	const int32 code = ('a' << 24) | ('b' << 16) | (0x7f << 8) | 'c';
	BMessage message(code);
	message.AddData("odd", code, "x", 1);
	testing::internal::CaptureStdout();
	print_message(&message);
	std::string printed = testing::internal::GetCapturedStdout();
	EXPECT_EQ(printed.find('\x7f'), std::string::npos) << printed;
	EXPECT_EQ(printed.rfind("BMessage('ab\\x7fc'):\n", 0), 0u) << printed;
	EXPECT_NE(printed.find("('ab\\x7fc')"), std::string::npos) << printed;
}


// Regression: a property table item printed as one line with literal \n in it. Line breaks
// and tabs in item text are kept; other control characters are still escaped.
TEST(MessageDumpTest, ItemTextKeepsItsLineBreaksAndTabs)
{
	static property_info properties[] = {
		{ "Title", { B_GET_PROPERTY }, { B_DIRECT_SPECIFIER }, "Returns the title." },
		{}
	};
	BPropertyInfo info(properties);
	std::vector<char> flat(info.FlattenedSize());
	ASSERT_EQ(info.Flatten(flat.data(), flat.size()), B_OK);
	std::string table = Format(B_PROPERTY_INFO_TYPE, flat.data(), flat.size());
	ASSERT_NE(table.find('\n'), std::string::npos);

	BMessage reply(B_REPLY);
	reply.AddString("suites", "suite/vnd.Be-window");
	reply.AddData("messages", B_PROPERTY_INFO_TYPE, flat.data(), flat.size());
	reply.AddString("text", "one\ttwo\nthree\r\x1b[2J");
	testing::internal::CaptureStdout();
	print_message(&reply);
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
		"BMessage(B_REPLY):\n"
		"   \"suites\" (B_STRING_TYPE) : \"suite/vnd.Be-window\"\n"
		"   \"messages\" (B_PROPERTY_INFO_TYPE) : " + table + "\n"
		"   \"text\" (B_STRING_TYPE) : \"one\ttwo\nthree\\r\\x1b[2J\"\n");
}


TEST(MessageDumpTest, ItemsOfAFieldKeepTheirOrder)
{
	BMessage message;
	message.AddInt32("count", 1);
	message.AddInt32("count", 2);
	message.AddInt32("count", 3);
	BList lines(20);
	add_message_contents(&lines, &message, 0);
	EXPECT_EQ(TakeDumpLines(lines), (std::vector<std::string>{
		"\"count\" (B_INT32_TYPE) : 1 (0x00000001)",
		"\"count\" (B_INT32_TYPE) : 2 (0x00000002)",
		"\"count\" (B_INT32_TYPE) : 3 (0x00000003)",
	}));
}


TEST(MessageDumpTest, NestedMessagesFollowTheirItemIndented)
{
	BMessage deepest('deep');
	deepest.AddFloat("f", 1);
	BMessage inner(B_REPLY);
	inner.AddMessage("deeper", &deepest);
	inner.AddBool("b", false);
	BMessage outer(B_GET_PROPERTY);
	outer.AddMessage("inner", &inner);
	outer.AddInt8("after", 3);

	testing::internal::CaptureStdout();
	print_message(&outer);
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
		"BMessage(B_GET_PROPERTY):\n"
		"   \"inner\" (B_MESSAGE_TYPE) : what=B_REPLY\n"
		"       \"deeper\" (B_MESSAGE_TYPE) : what='deep'\n"
		"           \"f\" (B_FLOAT_TYPE) : 1.000\n"
		"       \"b\" (B_BOOL_TYPE) : FALSE\n"
		"   \"after\" (B_INT8_TYPE) : 3 (0x03)\n");
}


TEST(MessageDumpTest, StartsAtTheGivenLevel)
{
	BMessage message;
	message.AddString("s", "v");
	BList lines(20);
	add_message_contents(&lines, &message, 2);
	EXPECT_EQ(TakeDumpLines(lines),
		(std::vector<std::string>{ Blanks(8) + "\"s\" (B_STRING_TYPE) : \"v\"" }));
}


TEST(MessageDumpTest, ExpandsOnlyRawPreviousItems)
{
	BMessage previous(B_REPLY);
	previous.AddInt32("n", 1);
	std::vector<char> flat = Flatten(previous);
	std::string dump = Take(format_data(B_RAW_TYPE, flat.data(), flat.size()));

	BMessage message;
	message.AddData("_previous_", B_RAW_TYPE, flat.data(), flat.size());
	message.AddData("other", B_RAW_TYPE, flat.data(), flat.size());
	BList lines(20);
	add_message_contents(&lines, &message, 0);
	EXPECT_EQ(TakeDumpLines(lines), (std::vector<std::string>{
		"\"_previous_\" (B_RAW_TYPE) : " + dump,
		"    \"n\" (B_INT32_TYPE) : 1 (0x00000001)",
		"\"other\" (B_RAW_TYPE) : " + dump,
	}));

	BMessage otherType;
	otherType.AddData("_previous_", B_OBJECT_TYPE, flat.data(), flat.size());
	add_message_contents(&lines, &otherType, 0);
	EXPECT_EQ(TakeDumpLines(lines),
		(std::vector<std::string>{ "\"_previous_\" (B_OBJECT_TYPE) : " + dump }));
}


TEST(MessageDumpTest, UnreadablePreviousItemsAreDumped)
{
	uint8 garbage[2] = { 0x01, 0x80 };
	BMessage message;
	message.AddData("_previous_", B_RAW_TYPE, garbage, sizeof(garbage));
	BList lines(20);
	add_message_contents(&lines, &message, 0);
	EXPECT_EQ(TakeDumpLines(lines),
		(std::vector<std::string>{ "\"_previous_\" (B_RAW_TYPE) : 0x01, 0x80" }));
}


// Regression: each "_previous_" is unflattened afresh, so a chain of them was followed as
// deep as the bytes went.
TEST(MessageDumpTest, DeepPreviousChainsStopExpanding)
{
	BMessage message('leaf');
	for (int i = 0; i < 100; i++) {
		std::vector<char> flat = Flatten(message);
		BMessage holder('hold');
		holder.AddData("_previous_", B_RAW_TYPE, flat.data(), flat.size());
		message = holder;
	}
	BList lines(20);
	add_message_contents(&lines, &message, 0);
	std::vector<std::string> taken = TakeDumpLines(lines);
	ASSERT_EQ(taken.size(), 66u);
	EXPECT_EQ(taken[64].substr(0, 4 * 64 + 1), Blanks(4 * 64) + "\"");
	// Regression: the dump stopped there without a word.
	EXPECT_EQ(taken.back(), Blanks(4 * 65)
		+ "(nested message not shown: more than 64 levels)");
}


// #pragma mark - Property tables


namespace {

const std::string kPropertyHeading
	= "        property   commands                            specifiers";
const std::string kValueHeading = "            name   value                               kind";
const std::string kRule(80, '-');
const std::string kUsage = Blanks(19) + "Usage: ";


// Builds a property table the way a class declares one: arrays ended by an empty entry.
class TableBuilder {
public:
	TableBuilder& Property(const char* name, std::initializer_list<uint32> commands,
		std::initializer_list<uint32> specifiers, const char* usage = NULL)
	{
		property_info property = {};
		property.name = name;
		std::copy(commands.begin(), commands.end(), property.commands);
		std::copy(specifiers.begin(), specifiers.end(), property.specifiers);
		property.usage = usage;
		fProperties.push_back(property);
		return *this;
	}

	TableBuilder& Value(const char* name, uint32 code, int32 kind, const char* usage = NULL)
	{
		value_info value = {};
		value.name = name;
		value.value = code;
		value.kind = static_cast<value_kind>(kind);
		value.usage = usage;
		fValues.push_back(value);
		return *this;
	}

	std::unique_ptr<BPropertyInfo> Build()
	{
		fProperties.push_back(property_info{});
		fValues.push_back(value_info{});
		return std::make_unique<BPropertyInfo>(fProperties.data(),
			fValues.size() > 1 ? fValues.data() : NULL);
	}

	std::vector<std::string> Lines()
	{
		std::unique_ptr<BPropertyInfo> info = Build();
		BList lines(20);
		DehydratePropertyInfo(&lines, *info, info->FlattenedSize());
		return TakeTableLines(lines);
	}

	std::string Text()
	{
		std::unique_ptr<BPropertyInfo> info = Build();
		std::vector<char> flat(info->FlattenedSize());
		EXPECT_EQ(info->Flatten(flat.data(), flat.size()), B_OK);
		return Format(B_PROPERTY_INFO_TYPE, flat.data(), flat.size());
	}

	// The one property or value line of a table of one entry.
	std::string Line()
	{
		std::vector<std::string> lines = Lines();
		EXPECT_GE(lines.size(), 3u);
		return lines.size() >= 3 ? lines[lines.size() - 2] : "";
	}

private:
	std::vector<property_info>	fProperties;
	std::vector<value_info>		fValues;
};


std::string
ValueLine(const std::vector<std::string>& lines)
{
	// heading, rule, property, rule, value heading, rule, value, closing rule
	return lines.size() == 8 ? lines[6] : "";
}

} // namespace


TEST(PropertyTableTest, PropertyLineColumns)
{
	std::string line = TableBuilder()
		.Property("Frame", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER })
		.Line();
	EXPECT_EQ(line, Blanks(11) + "Frame" + Blanks(3) + "B_GET_PROPERTY B_SET_PROPERTY "
		+ Blanks(6) + "DIRECT ");
	EXPECT_EQ(line.find("DIRECT"), 55u);
}


TEST(PropertyTableTest, EmptyColumnsKeepTheirBlanks)
{
	EXPECT_EQ(TableBuilder().Property("Empty", {}, {}).Line(),
		Blanks(11) + "Empty" + Blanks(3) + Blanks(36));
	EXPECT_EQ(TableBuilder().Property("Skip", { B_GET_PROPERTY }, { 0, B_INDEX_SPECIFIER })
		.Line(), Blanks(12) + "Skip" + Blanks(3) + "B_GET_PROPERTY " + Blanks(21));
}


TEST(PropertyTableTest, LongNamesAndCommandsShiftTheColumns)
{
	EXPECT_EQ(TableBuilder().Property("ABCDEFGHIJKLMNOPQRST", { B_GET_PROPERTY },
		{ B_DIRECT_SPECIFIER }).Line(),
		"ABCDEFGHIJKLMNOPQRST" + Blanks(3) + "B_GET_PROPERTY " + Blanks(21) + "DIRECT ");
	EXPECT_EQ(TableBuilder().Property("Exactly16Chars!!", {}, {}).Line(),
		"Exactly16Chars!!" + Blanks(39));
	EXPECT_EQ(TableBuilder().Property("Item", { B_GET_PROPERTY, B_SET_PROPERTY,
		B_COUNT_PROPERTIES }, { B_INDEX_SPECIFIER }).Line(),
		Blanks(12) + "Item" + Blanks(3) + "B_GET_PROPERTY B_SET_PROPERTY B_COUNT_PROPERTIES "
		+ Blanks(2) + "INDEX ");
	// 35 characters of commands still reach the column; 36 take the two-blank gap.
	EXPECT_EQ(TableBuilder().Property("A", { 'abcd', 'abcd', 'abcd', 'abcd', 'abcd' }, {})
		.Line(), Blanks(15) + "A" + Blanks(3) + "'abcd' 'abcd' 'abcd' 'abcd' 'abcd' "
		+ Blanks(1));
	EXPECT_EQ(TableBuilder().Property("A", { 'abcd', 'abcd', 'abcd', 'abcd', 'abcd', 'A' },
		{}).Line(), Blanks(15) + "A" + Blanks(3) + "'abcd' 'abcd' 'abcd' 'abcd' 'abcd' 'A' "
		+ Blanks(2));
}


TEST(PropertyTableTest, SpecifierAbbreviations)
{
	std::string line = TableBuilder().Property("All", {}, { B_DIRECT_SPECIFIER,
		B_INDEX_SPECIFIER, B_REVERSE_INDEX_SPECIFIER, B_RANGE_SPECIFIER,
		B_REVERSE_RANGE_SPECIFIER, B_NAME_SPECIFIER, B_ID_SPECIFIER, 9 }).Line();
	EXPECT_EQ(line.substr(55), "DIRECT INDEX REV.INDEX RANGE REV.RANGE NAME ID <NONE> ");
	EXPECT_EQ(TableBuilder().Property("View", {}, { B_NAME_SPECIFIER, B_INDEX_SPECIFIER })
		.Line().substr(55), "NAME INDEX ");
}


TEST(PropertyTableTest, ValueLines)
{
	std::vector<std::string> lines = TableBuilder()
		.Property("P", {}, {})
		.Value("Hide", 'hide', 0)
		.Lines();
	EXPECT_EQ(ValueLine(lines), Blanks(12) + "Hide" + Blanks(3) + "0x68696465 ('hide')"
		+ Blanks(17) + "COMMAND         ");

	lines = TableBuilder().Property("P", {}, {}).Value("Five", 5, 1).Lines();
	EXPECT_EQ(ValueLine(lines), Blanks(12) + "Five" + Blanks(3) + "0x       5 (5L)"
		+ Blanks(21) + "TYPE CODE       ");

	lines = TableBuilder().Property("P", {}, {}).Value("Odd", 'abcd', 2).Lines();
	EXPECT_EQ(ValueLine(lines).substr(55), "unknown   2L");

	const char* longName = "AVeryLongValueNameThatRunsPastTheColumn";
	lines = TableBuilder().Property("P", {}, {}).Value(longName, 1, 0).Lines();
	EXPECT_EQ(ValueLine(lines), std::string(longName) + Blanks(3) + "0x       1 (1L)"
		+ Blanks(2) + "COMMAND         ");
}


TEST(PropertyTableTest, LineListForm)
{
	std::vector<std::string> lines = TableBuilder()
		.Property("Frame", { B_GET_PROPERTY }, { B_DIRECT_SPECIFIER }, "Returns the frame")
		.Property("Hidden", { B_SET_PROPERTY }, { B_DIRECT_SPECIFIER })
		.Value("Hide", 'hide', 0, "Hides it")
		.Value("Show", 'show', 0)
		.Lines();
	EXPECT_EQ(lines, (std::vector<std::string>{
		kPropertyHeading,
		kRule,
		Blanks(11) + "Frame" + Blanks(3) + "B_GET_PROPERTY " + Blanks(21) + "DIRECT ",
		kUsage + "Returns the frame",
		Blanks(10) + "Hidden" + Blanks(3) + "B_SET_PROPERTY " + Blanks(21) + "DIRECT ",
		kRule,
		kValueHeading,
		kRule,
		Blanks(12) + "Hide" + Blanks(3) + "0x68696465 ('hide')" + Blanks(17)
			+ "COMMAND         ",
		kUsage + "Hides it",
		Blanks(12) + "Show" + Blanks(3) + "0x73686F77 ('show')" + Blanks(17)
			+ "COMMAND         ",
		kRule,
	}));
	EXPECT_EQ(lines[0].size(), 65u);
	EXPECT_EQ(lines[6].size(), 59u);
	EXPECT_EQ(lines[3].find("Usage:"), 19u);
}


TEST(PropertyTableTest, LineListWithoutPropertiesEndsAfterTheHeading)
{
	EXPECT_EQ(TableBuilder().Value("Hide", 'hide', 0).Lines(),
		(std::vector<std::string>{ kPropertyHeading, kRule }));
	EXPECT_EQ(TableBuilder().Lines(), (std::vector<std::string>{ kPropertyHeading, kRule }));
	EXPECT_EQ(TableBuilder().Property("P", {}, {}).Lines().size(), 4u);
}


TEST(PropertyTableTest, SingleTextForm)
{
	std::string text = TableBuilder()
		.Property("Frame", { B_GET_PROPERTY }, { B_DIRECT_SPECIFIER }, "Returns the frame")
		.Value("Odd", 'abcd', 2, "Unusual")
		.Text();
	EXPECT_EQ(text, "\n" + kPropertyHeading + "\n" + kRule + "\n"
		+ Blanks(11) + "Frame" + Blanks(3) + "B_GET_PROPERTY " + Blanks(21) + "DIRECT \n"
		+ kUsage + "Returns the frame\n"
		+ "\n" + kValueHeading + "\n" + kRule + "\n"
		+ Blanks(13) + "Odd" + Blanks(3) + "0x61626364 ('abcd')" + Blanks(17)
			+ "unknown         \n"
		+ kUsage + "Unusual\n");
}


TEST(PropertyTableTest, SingleTextShowsValuesWithoutProperties)
{
	EXPECT_EQ(TableBuilder().Value("Five", 5, 1).Text(),
		"\n" + kPropertyHeading + "\n" + kRule + "\n"
		+ "\n" + kValueHeading + "\n" + kRule + "\n"
		+ Blanks(12) + "Five" + Blanks(3) + "0x       5 (5L)" + Blanks(21)
			+ "TYPE CODE       \n");
	EXPECT_EQ(TableBuilder().Text(), "\n" + kPropertyHeading + "\n" + kRule + "\n");
}


TEST(PropertyTableTest, UnreadableTablesSayTheyAre)
{
	uint8 garbage[5] = { 1, 2, 3, 4, 5 };
	EXPECT_EQ(FormatValue(B_PROPERTY_INFO_TYPE, garbage), "error when unflattening");
}

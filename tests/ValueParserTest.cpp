// Reading the typed values written after "to": each form gives the type a target expects,
// and anything else is refused with nothing added.
#include <Message.h>
#include <Point.h>
#include <Rect.h>
#include <TypeConstants.h>

#include <gtest/gtest.h>

#include "ValueParser.h"


TEST(ValueParserTest, EachFormGivesItsType)
{
	BMessage message;
	BString problem;
	ASSERT_EQ(parse_value("\"Hello \"world\"\"", &message, "s", &problem), B_OK);
	ASSERT_EQ(parse_value("\"\"", &message, "empty", &problem), B_OK);
	ASSERT_EQ(parse_value("-42", &message, "i", &problem), B_OK);
	ASSERT_EQ(parse_value("4294967296", &message, "l", &problem), B_OK);
	ASSERT_EQ(parse_value("1.5", &message, "f", &problem), B_OK);
	ASSERT_EQ(parse_value("-2e3", &message, "e", &problem), B_OK);
	ASSERT_EQ(parse_value("true", &message, "t", &problem), B_OK);
	ASSERT_EQ(parse_value("false", &message, "b", &problem), B_OK);
	ASSERT_EQ(parse_value("BRect(0, 1.5,99,  20)", &message, "r", &problem), B_OK);
	ASSERT_EQ(parse_value("BPoint(-3,4)", &message, "p", &problem), B_OK);

	const char* text;
	int32 integer;
	int64 large;
	float number;
	bool flag;
	BRect rect;
	BPoint point;
	ASSERT_EQ(message.FindString("s", &text), B_OK);
	EXPECT_STREQ(text, "Hello \"world\"");
	ASSERT_EQ(message.FindString("empty", &text), B_OK);
	EXPECT_STREQ(text, "");
	ASSERT_EQ(message.FindInt32("i", &integer), B_OK);
	EXPECT_EQ(integer, -42);
	ASSERT_EQ(message.FindInt64("l", &large), B_OK);
	EXPECT_EQ(large, 4294967296LL);
	ASSERT_EQ(message.FindFloat("f", &number), B_OK);
	EXPECT_FLOAT_EQ(number, 1.5f);
	ASSERT_EQ(message.FindFloat("e", &number), B_OK);
	EXPECT_FLOAT_EQ(number, -2000.0f);
	ASSERT_EQ(message.FindBool("t", &flag), B_OK);
	EXPECT_TRUE(flag);
	ASSERT_EQ(message.FindBool("b", &flag), B_OK);
	EXPECT_FALSE(flag);
	ASSERT_EQ(message.FindRect("r", &rect), B_OK);
	EXPECT_EQ(rect, BRect(0, 1.5, 99, 20));
	ASSERT_EQ(message.FindPoint("p", &point), B_OK);
	EXPECT_EQ(point, BPoint(-3, 4));
}


TEST(ValueParserTest, OtherTextIsRefusedWithNothingAdded)
{
	for (const char* text : { "", "Hello", "\"open", "\"", "True", "12abc", "1.2.3", "+5",
			"nan", "inf", "0x10", "1e99", "BRect(1,2,3)", "BRect(1,2,3,4,5)", "BRect(1,,3,4)",
			"BRect(1,2,3,4", "BPoint(x,y)", "BPoint()", " 5", "5 " }) {
		BMessage message;
		BString problem;
		EXPECT_EQ(parse_value(text, &message, "data", &problem), B_BAD_VALUE) << text;
		EXPECT_TRUE(message.IsEmpty()) << text;
		EXPECT_GT(problem.Length(), 0) << text;
	}
}

// Colour items of a message: typed as B_RGB_COLOR_TYPE, kept byte for byte, and carried
// through flattening.
#include <GraphicsDefs.h>
#include <Message.h>

#include <gtest/gtest.h>

TEST(MessageColorsTest, AddFindReplaceAndHas)
{
	BMessage message('colr');
	rgb_color red = make_color(255, 0, 0, 128);
	rgb_color blue = make_color(0, 0, 255);
	ASSERT_EQ(message.AddColor("color", red), B_OK);
	ASSERT_EQ(message.AddColor("color", blue), B_OK);
	EXPECT_TRUE(message.HasColor("color"));
	EXPECT_TRUE(message.HasColor("color", 1));
	EXPECT_FALSE(message.HasColor("color", 2));

	type_code type = 0;
	int32 count = 0;
	ASSERT_EQ(message.GetInfo("color", &type, &count), B_OK);
	EXPECT_EQ(type, (type_code)B_RGB_COLOR_TYPE);
	EXPECT_EQ(count, 2);

	rgb_color found;
	ASSERT_EQ(message.FindColor("color", &found), B_OK);
	EXPECT_EQ(found, red);
	EXPECT_EQ(found.alpha, 128);
	ASSERT_EQ(message.FindColor("color", 1, &found), B_OK);
	EXPECT_EQ(found, blue);

	ASSERT_EQ(message.ReplaceColor("color", 1, red), B_OK);
	ASSERT_EQ(message.FindColor("color", 1, &found), B_OK);
	EXPECT_EQ(found, red);
	ASSERT_EQ(message.ReplaceColor("color", blue), B_OK);
	ASSERT_EQ(message.FindColor("color", &found), B_OK);
	EXPECT_EQ(found, blue);
}


TEST(MessageColorsTest, FailedFindsClearTheColour)
{
	BMessage message('colr');
	message.AddInt32("number", 7);
	rgb_color found = make_color(1, 2, 3, 4);
	EXPECT_EQ(message.FindColor("missing", &found), B_NAME_NOT_FOUND);
	EXPECT_EQ(found, make_color(0, 0, 0, 0));
	found = make_color(1, 2, 3, 4);
	EXPECT_EQ(message.FindColor("number", &found), B_BAD_TYPE);
	EXPECT_EQ(found, make_color(0, 0, 0, 0));
	EXPECT_FALSE(message.HasColor("number"));
	EXPECT_EQ(message.AddColor("number", found), B_BAD_TYPE);
	EXPECT_EQ(message.ReplaceColor("missing", found), B_NAME_NOT_FOUND);
	EXPECT_EQ(message.FindColor("missing", NULL), B_BAD_VALUE);
}


TEST(MessageColorsTest, SurviveFlattening)
{
	BMessage message('colr');
	rgb_color color = make_color(12, 34, 56, 78);
	ASSERT_EQ(message.AddColor("color", color), B_OK);
	ssize_t size = message.FlattenedSize();
	ASSERT_GT(size, 0);
	std::string buffer(size, '\0');
	ASSERT_EQ(message.Flatten(buffer.data(), size), B_OK);
	BMessage copy;
	ASSERT_EQ(copy.Unflatten(buffer.data()), B_OK);
	rgb_color found;
	ASSERT_EQ(copy.FindColor("color", &found), B_OK);
	EXPECT_EQ(found, color);
}

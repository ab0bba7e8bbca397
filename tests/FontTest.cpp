// Fonts: the installed families, metrics and truncation.
#include <Font.h>
#include <String.h>

#include <gtest/gtest.h>

#include <math.h>

#include <string.h>
#include <string>

namespace {

bool
HasFamily(const char* wanted)
{
	for (int32 i = 0; i < count_font_families(); i++) {
		font_family family;
		if (get_font_family(i, &family) == B_OK && strcmp(family, wanted) == 0)
			return true;
	}
	return false;
}


bool
HasStyle(const char* family, const char* wanted)
{
	for (int32 i = 0; i < count_font_styles(family); i++) {
		font_style style;
		if (get_font_style(family, i, &style) == B_OK && strcmp(style, wanted) == 0)
			return true;
	}
	return false;
}

} // namespace


TEST(FontListTest, EnumeratesInstalledFamiliesAndStyles)
{
	ASSERT_GT(count_font_families(), 0);
	EXPECT_TRUE(HasFamily("DejaVu Sans"));
	EXPECT_TRUE(HasFamily("DejaVu Sans Mono"));
	EXPECT_TRUE(HasStyle("DejaVu Sans", "Book"));
	EXPECT_TRUE(HasStyle("DejaVu Sans", "Bold"));
	EXPECT_FALSE(HasStyle("DejaVu Sans", "Roman"));

	// Families come sorted and only once each.
	font_family previous = "";
	for (int32 i = 0; i < count_font_families(); i++) {
		font_family family;
		ASSERT_EQ(get_font_family(i, &family), B_OK);
		EXPECT_LT(strcmp(previous, family), 0) << family;
		strcpy(previous, family);
	}

	uint32 flags = 0;
	font_style style;
	uint16 face = 0;
	ASSERT_EQ(get_font_style("DejaVu Sans Mono", 0, &style, &face, &flags), B_OK);
	EXPECT_NE(flags & B_IS_FIXED, 0u);
	EXPECT_NE(face, 0);
}


TEST(FontListTest, RejectsUnknownNamesAndIndices)
{
	font_family family;
	font_style style;
	EXPECT_NE(get_font_family(-1, &family), B_OK);
	EXPECT_NE(get_font_family(count_font_families(), &family), B_OK);
	EXPECT_EQ(count_font_styles("No Such Family 42"), 0);
	EXPECT_NE(get_font_style("No Such Family 42", 0, &style), B_OK);
	EXPECT_NE(get_font_style("DejaVu Sans", count_font_styles("DejaVu Sans"), &style), B_OK);
	EXPECT_FALSE(update_font_families(true));
}


TEST(FontTest, SystemFontsNameInstalledFamilies)
{
	font_family family;
	font_style style;
	be_plain_font->GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(family, "DejaVu Sans");
	EXPECT_TRUE(HasStyle(family, style));
	be_bold_font->GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(style, "Bold");
	EXPECT_TRUE(be_fixed_font->IsFixed());
	EXPECT_FALSE(be_plain_font->IsFixed());
	EXPECT_EQ(BFont().Size(), be_plain_font->Size());
}


TEST(FontTest, SetFamilyAndStyleChecksTheNames)
{
	BFont font(be_plain_font);
	EXPECT_EQ(font.SetFamilyAndStyle("DejaVu Sans Mono", "Bold"), B_OK);
	font_family family;
	font_style style;
	font.GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(family, "DejaVu Sans Mono");
	EXPECT_STREQ(style, "Bold");
	EXPECT_NE(font.Face() & B_BOLD_FACE, 0);

	// Unknown names change nothing.
	EXPECT_EQ(font.SetFamilyAndStyle("No Such Family 42", "Bold"), B_NAME_NOT_FOUND);
	EXPECT_EQ(font.SetFamilyAndStyle("DejaVu Sans", "Roman"), B_NAME_NOT_FOUND);
	font.GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(family, "DejaVu Sans Mono");

	// Without a style the family's regular one is taken.
	EXPECT_EQ(font.SetFamilyAndStyle("DejaVu Sans", NULL), B_OK);
	font.GetFamilyAndStyle(NULL, &style);
	EXPECT_STREQ(style, "Book");

	font.SetFace(B_BOLD_FACE);
	font.GetFamilyAndStyle(NULL, &style);
	EXPECT_STREQ(style, "Bold");

	BFont copy(font);
	EXPECT_TRUE(copy == font);
	copy.SetSize(30);
	EXPECT_TRUE(copy != font);
}


TEST(FontTest, MetricsGrowWithSizeAndText)
{
	BFont font(be_plain_font);
	font.SetSize(10);
	float small = font.StringWidth("Hello, world");
	font.SetSize(20);
	float large = font.StringWidth("Hello, world");
	EXPECT_GT(small, 30);
	EXPECT_NEAR(large, 2 * small, 1.0);
	EXPECT_GT(font.StringWidth("Hello, world!"), large);
	EXPECT_EQ(font.StringWidth(""), 0);
	EXPECT_EQ(font.StringWidth(NULL), 0);
	EXPECT_NEAR(font.StringWidth("Hello, world", 5), font.StringWidth("Hello"), 0.01);

	font_height height;
	font.GetHeight(&height);
	EXPECT_GT(height.ascent, 10);
	EXPECT_LT(height.ascent, 25);
	EXPECT_GT(height.descent, 2);
	EXPECT_GE(height.leading, 0);

	// Every character of the fixed font is as wide as any other.
	BFont fixed(be_fixed_font);
	EXPECT_NEAR(fixed.StringWidth("iiii"), fixed.StringWidth("WWWW"), 0.01);

	// Sizes a picture or a peer may carry stay within what the font engines take, and
	// text in them is still measured.
	font.SetSize(1e30f);
	EXPECT_EQ(font.Size(), 10000);
	EXPECT_GT(font.StringWidth("Hello"), 0);
	font.SetSize(NAN);
	EXPECT_EQ(font.Size(), 0);
	font.SetSize(-3);
	EXPECT_EQ(font.Size(), 0);
	EXPECT_GE(font.StringWidth("Hello"), 0);
}


TEST(FontTest, TruncationFitsAndKeepsTheRightEnds)
{
	BFont font(be_plain_font);
	const char* text = "Application Window With A Rather Long Title";
	float full = font.StringWidth(text);
	float width = full / 2;

	BString end(text);
	font.TruncateString(&end, B_TRUNCATE_END, width);
	EXPECT_LE(font.StringWidth(end.String()), width);
	EXPECT_TRUE(end.StartsWith("Application"));
	EXPECT_TRUE(end.EndsWith("\xE2\x80\xA6"));

	BString beginning(text);
	font.TruncateString(&beginning, B_TRUNCATE_BEGINNING, width);
	EXPECT_LE(font.StringWidth(beginning.String()), width);
	EXPECT_TRUE(beginning.StartsWith("\xE2\x80\xA6"));
	EXPECT_TRUE(beginning.EndsWith("Title"));

	for (uint32 mode : { (uint32)B_TRUNCATE_MIDDLE, (uint32)B_TRUNCATE_SMART }) {
		BString middle(text);
		font.TruncateString(&middle, mode, width);
		EXPECT_LE(font.StringWidth(middle.String()), width);
		EXPECT_GT(font.StringWidth(middle.String()), width - 20) << "cut too much";
		EXPECT_TRUE(middle.StartsWith("Applic")) << middle.String();
		EXPECT_TRUE(middle.EndsWith("Title"));
		EXPECT_NE(middle.FindFirst("\xE2\x80\xA6"), B_ERROR);
	}

	// A string that fits stays whole; a width too small for anything empties it.
	BString fits(text);
	font.TruncateString(&fits, B_TRUNCATE_SMART, full + 1);
	EXPECT_STREQ(fits.String(), text);
	BString nothing(text);
	font.TruncateString(&nothing, B_TRUNCATE_END, 1);
	EXPECT_STREQ(nothing.String(), "");

	// Multi-byte characters are never split.
	BString accents("\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9");
	font.TruncateString(&accents, B_TRUNCATE_MIDDLE, font.StringWidth(accents.String()) / 2);
	EXPECT_EQ(accents.Length() % 2, 1) << "two bytes per accent plus three for the ellipsis";

	const char* inputs[] = { text, "short" };
	char first[64];
	char second[64];
	char* results[] = { first, second };
	font.GetTruncatedStrings(inputs, 2, B_TRUNCATE_END, width, results);
	EXPECT_STREQ(first, end.String());
	EXPECT_STREQ(second, "short");
}

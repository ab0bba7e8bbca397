// Fonts: the installed families, metrics and truncation.
#include <Font.h>
#include <Shape.h>
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
	EXPECT_STREQ(family, "Liberation Sans");
	EXPECT_TRUE(HasStyle(family, style));
	be_bold_font->GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(style, "Bold");
	// The platform's sizes: a small plain font, larger bold and fixed ones.
	EXPECT_EQ(be_plain_font->Size(), 10.0f);
	EXPECT_EQ(be_bold_font->Size(), 12.0f);
	EXPECT_EQ(be_fixed_font->Size(), 12.0f);
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


TEST(FontTest, EscapementsAreAdvancesInEmsPerCharacter)
{
	BFont font(be_plain_font);
	font.SetSize(20);
	// "é" is two bytes but one character.
	const char* text = "Wi \xc3\xa9";
	float escapements[4];
	font.GetEscapements(text, 4, escapements);
	EXPECT_NEAR(escapements[0] * 20, font.StringWidth("W"), 0.01);
	EXPECT_NEAR(escapements[1] * 20, font.StringWidth("i"), 0.01);
	EXPECT_GT(escapements[0], escapements[1]);
	EXPECT_NEAR(escapements[3] * 20, font.StringWidth("\xc3\xa9"), 0.01);

	escapement_delta delta = { 2, 10 };
	float spaced[4];
	font.GetEscapements(text, 4, &delta, spaced);
	EXPECT_NEAR((spaced[0] - escapements[0]) * 20, 2, 0.01);
	EXPECT_NEAR((spaced[2] - escapements[2]) * 20, 10, 0.01);

	// Rotated a quarter turn, the advance points up the screen.
	font.SetRotation(90);
	BPoint points[4];
	BPoint offsets[4];
	font.GetEscapements(text, 4, NULL, points, offsets);
	EXPECT_NEAR(points[0].x, 0, 1e-4);
	EXPECT_NEAR(points[0].y, -escapements[0], 1e-4);
	EXPECT_EQ(offsets[3], B_ORIGIN);
}


TEST(FontTest, EdgesAndBoundingBoxesDescribeTheInk)
{
	BFont font(be_plain_font);
	font.SetSize(40);
	edge_info edges[2];
	font.GetEdges("Hj", 2, edges);
	// An H stands inside its advance; a j reaches left of its origin.
	EXPECT_GE(edges[0].left, 0);
	EXPECT_GE(edges[0].right, 0);
	EXPECT_LT(edges[1].left, edges[0].left);

	BRect glyphs[3];
	font.GetBoundingBoxesAsGlyphs("Hg ", 3, B_SCREEN_METRIC, glyphs);
	// Above the baseline for H, below it for g's descender; a space has no ink.
	EXPECT_LT(glyphs[0].top, -20);
	EXPECT_NEAR(glyphs[0].bottom, 0, 1.5);
	EXPECT_GT(glyphs[1].bottom, 5);
	EXPECT_FALSE(glyphs[2].IsValid());

	BRect placed[3];
	font.GetBoundingBoxesAsString("HHH", 3, B_SCREEN_METRIC, NULL, placed);
	float advance = font.StringWidth("H");
	EXPECT_NEAR(placed[1].left - placed[0].left, advance, 0.01);
	EXPECT_NEAR(placed[2].left - placed[0].left, 2 * advance, 0.01);

	const char* strings[2] = { "H", "HHH" };
	BRect whole[2];
	font.GetBoundingBoxesForStrings(strings, 2, B_SCREEN_METRIC, NULL, whole);
	EXPECT_EQ(whole[0], placed[0]);
	EXPECT_NEAR(whole[1].right, placed[2].right, 0.01);

	BRect box = font.BoundingBox();
	EXPECT_TRUE(box.IsValid());
	EXPECT_LE(box.top, glyphs[0].top + 0.5);
	EXPECT_GE(box.bottom, glyphs[1].bottom - 0.5);
}


TEST(FontTest, GlyphShapesCoverageAndFileFacts)
{
	BFont font(be_plain_font);
	font.SetSize(30);
	BShape* shapes[2] = { NULL, NULL };
	font.GetGlyphShapes("O ", 2, shapes);
	ASSERT_NE(shapes[0], nullptr);
	ASSERT_NE(shapes[1], nullptr);
	BRect bounds = shapes[0]->Bounds();
	EXPECT_TRUE(bounds.IsValid());
	EXPECT_LT(bounds.top, -15);
	EXPECT_NEAR(bounds.Width(), font.StringWidth("O"), font.StringWidth("O") / 2);
	EXPECT_FALSE(shapes[1]->Bounds().IsValid());
	delete shapes[0];
	delete shapes[1];

	bool has[3];
	// A private-use character no installed font draws.
	font.GetHasGlyphs("A\xc3\xa9\xef\xa3\xbf", 3, has);
	EXPECT_TRUE(has[0]);
	EXPECT_TRUE(has[1]);
	EXPECT_FALSE(has[2]);

	unicode_block blocks = font.Blocks();
	EXPECT_TRUE(blocks.Includes(unicode_block(0, 1)));
	EXPECT_NE(blocks, unicode_block());
	EXPECT_EQ(font.FileFormat(), B_TRUETYPE_WINDOWS);
	EXPECT_EQ(font.CountTuned(), 0);
	EXPECT_FALSE(BFont(be_plain_font).IsFullAndHalfFixed());

	// The family and style code names the font again.
	uint32 code = font.FamilyAndStyle();
	BFont other(be_bold_font);
	ASSERT_EQ(other.SetFamilyAndStyle(code), B_OK);
	font_family family;
	font_style style;
	font_family otherFamily;
	font_style otherStyle;
	font.GetFamilyAndStyle(&family, &style);
	other.GetFamilyAndStyle(&otherFamily, &otherStyle);
	EXPECT_STREQ(family, otherFamily);
	EXPECT_STREQ(style, otherStyle);
	EXPECT_EQ(other.SetFamilyAndStyle(0xffff0000u), B_NAME_NOT_FOUND);
}


TEST(FontTest, EightBitEncodingsAreConvertedBeforeLayout)
{
	BFont utf8(be_plain_font);
	BFont latin1(be_plain_font);
	latin1.SetEncoding(B_ISO_8859_1);
	EXPECT_EQ(latin1.Encoding(), B_ISO_8859_1);
	// The same é, one byte in ISO 8859-1 and two in UTF-8.
	EXPECT_FLOAT_EQ(latin1.StringWidth("\xe9"), utf8.StringWidth("\xc3\xa9"));
	EXPECT_GT(latin1.StringWidth("\xe9"), 0);
	float escapements[2];
	latin1.GetEscapements("\xe9t", 2, escapements);
	EXPECT_NEAR(escapements[0] * latin1.Size(), utf8.StringWidth("\xc3\xa9"), 0.01);
	bool has[1];
	latin1.GetHasGlyphs("\xe9", 1, has);
	EXPECT_TRUE(has[0]);
}


TEST(FontTest, BrokenSequenceDoesNotReadPastTheString)
{
	// A four-byte lead followed by plain letters: three characters, on the heap so that
	// a read past the terminator shows under the address sanitizer.
	std::string broken("\xf0" "ab");
	const char* strings[1] = { broken.c_str() };
	BRect boxes[1];
	BFont font(be_plain_font);
	font.GetBoundingBoxesForStrings(strings, 1, B_SCREEN_METRIC, NULL, boxes);
	EXPECT_TRUE(boxes[0].IsValid());
	EXPECT_GT(boxes[0].Width(), font.StringWidth("a"));
}

// Styled text in the platform's formats: a text view's runs flattened and back, through a
// styled text stream and through a file as StyledEdit keeps it.
#include <File.h>
#include <NodeInfo.h>
#include <TextView.h>
#include <TranslationKit.h>

#include "interface/RunArrayFormat.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <limits>
#include <new>
#include <vector>

#include "ScratchDirectory.h"

namespace {

const rgb_color kRed = {200, 0, 0, 255};
const rgb_color kBlue = {0, 0, 220, 255};


// A stylable view holding "plain bold blue" in three runs.
class StyledView : public BTextView {
public:
	StyledView()
		:
		BTextView(BRect(0, 0, 299, 99), "text", BRect(0, 0, 299, 99), B_FOLLOW_NONE,
			B_WILL_DRAW)
	{
		SetStylable(true);
		std::vector<char> storage(sizeof(text_run_array) + 2 * sizeof(text_run));
		text_run_array* runs = new (storage.data()) text_run_array;
		runs->count = 3;
		const rgb_color black = {0, 0, 0, 255};
		new (&runs->runs[0]) text_run{0, *be_plain_font, black};
		new (&runs->runs[1]) text_run{6, *be_bold_font, kRed};
		runs->runs[1].font.SetSize(20);
		new (&runs->runs[2]) text_run{11, *be_plain_font, kBlue};
		runs->runs[2].font.SetShear(110);
		SetText("plain bold blue", runs);
	}
};


void
expect_same_runs(BTextView& expected, BTextView& actual)
{
	ASSERT_STREQ(actual.Text(), expected.Text());
	text_run_array* a = expected.RunArray(0, expected.TextLength());
	text_run_array* b = actual.RunArray(0, actual.TextLength());
	ASSERT_NE(a, nullptr);
	ASSERT_NE(b, nullptr);
	ASSERT_EQ(b->count, a->count);
	for (int32 i = 0; i < a->count; i++) {
		EXPECT_EQ(b->runs[i].offset, a->runs[i].offset) << i;
		EXPECT_EQ(b->runs[i].font.Size(), a->runs[i].font.Size()) << i;
		EXPECT_EQ(b->runs[i].font.Shear(), a->runs[i].font.Shear()) << i;
		EXPECT_EQ(b->runs[i].font.Face(), a->runs[i].font.Face()) << i;
		EXPECT_TRUE(b->runs[i].color == a->runs[i].color) << i;
	}
	free(a);
	free(b);
}

} // namespace


TEST(StyledText, RunArraysFlattenInThePlatformsLayout)
{
	StyledView view;
	text_run_array* runs = view.RunArray(0, view.TextLength());
	ASSERT_NE(runs, nullptr);
	ASSERT_EQ(runs->count, 3);
	int32 size;
	uint8* flat = static_cast<uint8*>(BTextView::FlattenRunArray(runs, &size));
	ASSERT_NE(flat, nullptr);
	EXPECT_EQ(size, 12 + 3 * 148);
	EXPECT_EQ(memcmp(flat, "Ali!", 4), 0);
	EXPECT_EQ(flat[11], 3);
	// The second run: offset 6, then its family's name, big-endian size 20.0, red.
	const uint8* second = flat + 12 + 148;
	EXPECT_EQ(second[3], 6);
	EXPECT_NE(second[4], 0);
	EXPECT_EQ(second[132], 0x41);
	EXPECT_EQ(second[133], 0xa0);
	EXPECT_EQ(second[142], 200);

	text_run_array* back = BTextView::UnflattenRunArray(flat);
	ASSERT_NE(back, nullptr);
	ASSERT_EQ(back->count, 3);
	EXPECT_EQ(back->runs[1].offset, 6);
	EXPECT_EQ(back->runs[1].font.Size(), 20);
	EXPECT_TRUE(back->runs[2].color == kBlue);
	EXPECT_EQ(back->runs[2].font.Shear(), 110);
	free(back);
	free(runs);

	// Damaged data: cut short, a wrong magic, a count past the data, floats that are not
	// numbers.
	EXPECT_EQ(BPrivate::unflatten_run_array(flat, size - 1), nullptr);
	EXPECT_EQ(BPrivate::unflatten_run_array(flat, 11), nullptr);
	std::vector<uint8> bad(flat, flat + size);
	bad[0] = 'X';
	EXPECT_EQ(BPrivate::unflatten_run_array(bad.data(), bad.size()), nullptr);
	bad[0] = 'A';
	bad[8] = 0x7f;
	EXPECT_EQ(BPrivate::unflatten_run_array(bad.data(), bad.size()), nullptr);
	bad[8] = 0;
	float nan = std::numeric_limits<float>::quiet_NaN();
	uint32 bits;
	memcpy(&bits, &nan, 4);
	for (int i = 0; i < 4; i++)
		bad[12 + 132 + i] = (uint8)(bits >> (24 - 8 * i));
	bad[12 + 136] = 0xff;
	text_run_array* clamped = BPrivate::unflatten_run_array(bad.data(), bad.size());
	ASSERT_NE(clamped, nullptr);
	EXPECT_EQ(clamped->runs[0].font.Size(), 12);
	free(clamped);
	free(flat);
}


TEST(StyledText, RunsRoundTripThroughAStyledStream)
{
	StyledView view;
	BMallocIO stream;
	ASSERT_EQ(BTranslationUtils::PutStyledText(&view, &stream), B_OK);
	const uint8* data = static_cast<const uint8*>(stream.Buffer());
	EXPECT_EQ(memcmp(data, "STXT", 4), 0);
	EXPECT_EQ(memcmp(data + 16, "TEXT", 4), 0);
	EXPECT_EQ(memcmp(data + 32 + 15, "STYL", 4), 0);

	StyledView read;
	read.SetText("");
	ASSERT_EQ(stream.Seek(0, SEEK_SET), 0);
	ASSERT_EQ(BTranslationUtils::GetStyledText(&stream, &read), B_OK);
	expect_same_runs(view, read);

	// Read in place of a selection.
	read.SetText("<>");
	read.Select(1, 1);
	ASSERT_EQ(stream.Seek(0, SEEK_SET), 0);
	ASSERT_EQ(BTranslationUtils::GetStyledText(&stream, &read), B_OK);
	EXPECT_STREQ(read.Text(), "<plain bold blue>");

	// A stream whose text record runs past its end is refused, and the view kept.
	std::vector<uint8> cut(data, data + stream.BufferLength());
	cut[16 + 11] = 0xff;
	BMemoryIO damaged(cut.data(), cut.size());
	EXPECT_NE(BTranslationUtils::GetStyledText(&damaged, &read), B_OK);
	EXPECT_STREQ(read.Text(), "<plain bold blue>");
	EXPECT_EQ(BTranslationUtils::GetStyledText(NULL, &read), B_BAD_VALUE);
}


TEST(StyledText, StyledEditFilesKeepTheirRunsInAttributes)
{
	ScratchDirectory scratch("styled-text");
	if (!scratch.KeepsUserAttributes())
		GTEST_SKIP() << "no user extended attributes on " << scratch.Path();
	StyledView view;
	view.SetAlignment(B_ALIGN_CENTER);
	BFile file((scratch / "note").c_str(), B_READ_WRITE | B_CREATE_FILE);
	ASSERT_EQ(file.Write("longer text that goes", 21), 21);
	ASSERT_EQ(BTranslationUtils::WriteStyledEditFile(&view, &file), B_OK);

	// The contents are the plain text alone, as any editor reads it.
	off_t size;
	ASSERT_EQ(file.GetSize(&size), B_OK);
	EXPECT_EQ(size, view.TextLength());
	char type[B_MIME_TYPE_LENGTH];
	ASSERT_EQ(BNodeInfo(&file).GetType(type), B_OK);
	EXPECT_STREQ(type, "text/plain");
	int32 alignment = 0;
	EXPECT_EQ(file.ReadAttr("alignment", B_INT32_TYPE, 0, &alignment, 4), 4);
	EXPECT_EQ(alignment, (int32)B_ALIGN_CENTER);
	attr_info info;
	ASSERT_EQ(file.GetAttrInfo("styles", &info), B_OK);
	EXPECT_EQ(info.type, (type_code)B_RAW_TYPE);

	StyledView read;
	read.SetText("");
	ASSERT_EQ(file.Seek(0, SEEK_SET), 0);
	ASSERT_EQ(BTranslationUtils::GetStyledText(&file, &read), B_OK);
	expect_same_runs(view, read);
}

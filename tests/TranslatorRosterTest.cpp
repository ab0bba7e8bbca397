// The default roster and its translators: every image format round-trips a bitmap through
// a real file and is identified by its bytes; damaged and foreign data are refused with an
// error; text becomes a styled text stream and back.
#include <Bitmap.h>
#include <BitmapStream.h>
#include <File.h>
#include <Menu.h>
#include <MenuItem.h>
#include <TranslationKit.h>

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ScratchDirectory.h"

namespace {

const int32 kWidth = 23;
const int32 kHeight = 17;


// A bitmap whose pixels differ from one another, optionally with transparent ones.
BBitmap*
make_pattern(bool withAlpha)
{
	BBitmap* bitmap = new BBitmap(BRect(0, 0, kWidth - 1, kHeight - 1),
		withAlpha ? B_RGBA32 : B_RGB32);
	for (int32 y = 0; y < kHeight; y++) {
		uint8* row = (uint8*)bitmap->Bits() + y * bitmap->BytesPerRow();
		for (int32 x = 0; x < kWidth; x++) {
			row[x * 4] = (uint8)(x * 11);
			row[x * 4 + 1] = (uint8)(y * 15);
			row[x * 4 + 2] = (uint8)((x + y) * 7);
			row[x * 4 + 3] = withAlpha && (x + y) % 5 == 0 ? 0 : 255;
		}
	}
	return bitmap;
}


// The largest difference of a colour channel between two bitmaps of the same size; the
// colour of fully transparent pixels does not count.
int
largest_difference(BBitmap* a, BBitmap* b)
{
	int largest = 0;
	for (int32 y = 0; y < kHeight; y++) {
		const uint8* rowA = (const uint8*)a->Bits() + y * a->BytesPerRow();
		const uint8* rowB = (const uint8*)b->Bits() + y * b->BytesPerRow();
		for (int32 x = 0; x < kWidth; x++) {
			bool transparent = a->ColorSpace() == B_RGBA32 && rowA[x * 4 + 3] == 0;
			int channels = transparent ? 0 : 3;
			for (int c = 0; c < channels; c++)
				largest = std::max(largest, abs(rowA[x * 4 + c] - rowB[x * 4 + c]));
			if (a->ColorSpace() == B_RGBA32 && b->ColorSpace() == B_RGBA32
				&& (rowA[x * 4 + 3] == 0) != (rowB[x * 4 + 3] == 0))
				largest = 255;
		}
	}
	return largest;
}


// Writes bitmap as type into the file at path through the default roster.
status_t
save_bitmap(BBitmap* bitmap, uint32 type, const std::string& path)
{
	BBitmapStream stream(bitmap);
	BFile file(path.c_str(), B_READ_WRITE | B_CREATE_FILE | B_ERASE_FILE);
	status_t status = BTranslatorRoster::Default()->Translate(&stream, NULL, NULL, &file,
		type);
	BBitmap* detached;
	stream.DetachBitmap(&detached);
	return status;
}


struct FormatCase {
	uint32		type;
	const char*	MIME;
	bool		keepsAlpha;
	int			tolerance;	// the largest channel difference the format may introduce
};

const FormatCase kFormats[] = {
	{ B_PNG_FORMAT, "image/png", true, 0 },
	{ B_JPEG_FORMAT, "image/jpeg", false, 40 },
	// The pattern has more colours than a GIF holds.
	{ B_GIF_FORMAT, "image/gif", true, 40 },
	{ B_BMP_FORMAT, "image/bmp", false, 0 },
	{ B_PPM_FORMAT, "image/x-portable-pixmap", false, 0 },
};

} // namespace


class TranslatorRosterTest : public testing::TestWithParam<FormatCase> {
protected:
	ScratchDirectory fScratch{"translation"};
};


TEST_P(TranslatorRosterTest, RoundTripsABitmapThroughAFile)
{
	const FormatCase& format = GetParam();
	std::string path = fScratch / "image";
	BBitmap* original = make_pattern(format.keepsAlpha);
	ASSERT_EQ(save_bitmap(original, format.type, path), B_OK);

	BFile file(path.c_str(), B_READ_ONLY);
	translator_info info;
	ASSERT_EQ(BTranslatorRoster::Default()->Identify(&file, NULL, &info), B_OK);
	EXPECT_EQ(info.type, format.type);
	EXPECT_EQ(info.group, (uint32)B_TRANSLATOR_BITMAP);
	EXPECT_STREQ(info.MIME, format.MIME);
	EXPECT_EQ(file.Position(), 0) << "Identify moves the stream back";

	BBitmap* decoded = BTranslationUtils::GetBitmapFile(path.c_str());
	ASSERT_NE(decoded, nullptr);
	EXPECT_EQ(decoded->Bounds(), original->Bounds());
	EXPECT_LE(largest_difference(original, decoded), format.tolerance);
	delete decoded;
	delete original;
}


TEST_P(TranslatorRosterTest, RefusesTruncatedFilesWithAnError)
{
	const FormatCase& format = GetParam();
	std::string path = fScratch / "image";
	BBitmap* original = make_pattern(false);
	ASSERT_EQ(save_bitmap(original, format.type, path), B_OK);
	delete original;

	BFile whole(path.c_str(), B_READ_ONLY);
	off_t size = 0;
	ASSERT_EQ(whole.GetSize(&size), B_OK);
	std::vector<char> bytes((size_t)size);
	ASSERT_EQ(whole.ReadAt(0, bytes.data(), bytes.size()), (ssize_t)bytes.size());
	// Its first bytes still name the format; the rest is missing.
	BMemoryIO truncated(bytes.data(), 24);
	BMallocIO out;
	status_t status = BTranslatorRoster::Default()->Translate(&truncated, NULL, NULL, &out,
		B_TRANSLATOR_BITMAP);
	EXPECT_NE(status, B_OK);
	truncated.Seek(0, SEEK_SET);
	EXPECT_EQ(BTranslationUtils::GetBitmap(&truncated), nullptr);
}


INSTANTIATE_TEST_SUITE_P(Formats, TranslatorRosterTest, testing::ValuesIn(kFormats),
	[](const testing::TestParamInfo<FormatCase>& info) {
		std::string name(info.param.MIME);
		return name.substr(name.find('/') + 1) == "x-portable-pixmap" ? std::string("ppm")
			: name.substr(name.find('/') + 1);
	});


TEST(TranslatorRoster, DefaultRosterListsTheKitsTranslators)
{
	BTranslatorRoster* roster = BTranslatorRoster::Default();
	ASSERT_EQ(roster, BTranslatorRoster::Default());
	translator_id* ids = NULL;
	int32 count = 0;
	ASSERT_EQ(roster->GetAllTranslators(&ids, &count), B_OK);
	std::vector<uint32> written;
	for (int32 i = 0; i < count; i++) {
		const translation_format* formats;
		int32 formatCount;
		ASSERT_EQ(roster->GetOutputFormats(ids[i], &formats, &formatCount), B_OK);
		for (int32 j = 0; j < formatCount; j++)
			written.push_back(formats[j].type);
		const char* name;
		ASSERT_EQ(roster->GetTranslatorInfo(ids[i], &name, NULL, NULL), B_OK);
		EXPECT_NE(name, nullptr);
	}
	delete[] ids;
	for (uint32 type : std::vector<uint32>{ B_PNG_FORMAT, B_JPEG_FORMAT, B_GIF_FORMAT, B_BMP_FORMAT,
			B_PPM_FORMAT, B_STYLED_TEXT_FORMAT, B_TRANSLATOR_BITMAP, B_TRANSLATOR_TEXT })
		EXPECT_NE(std::count(written.begin(), written.end(), type), 0) << type;
	EXPECT_EQ(roster->GetTranslatorInfo(9999, NULL, NULL, NULL), B_NO_TRANSLATOR);
}


TEST(TranslatorRoster, RefusesDataNoTranslatorReads)
{
	const uint8 noise[] = { 0x00, 0x13, 0xfe, 0x00, 0x01, 0x80, 0x00, 0x7f, 0x00, 0x02 };
	BMemoryIO source(noise, sizeof(noise));
	translator_info info;
	EXPECT_EQ(BTranslatorRoster::Default()->Identify(&source, NULL, &info), B_NO_TRANSLATOR);
	BMallocIO out;
	EXPECT_EQ(BTranslatorRoster::Default()->Translate(&source, NULL, NULL, &out,
		B_TRANSLATOR_BITMAP), B_NO_TRANSLATOR);
	EXPECT_EQ(out.BufferLength(), 0u);
	EXPECT_EQ(BTranslationUtils::GetBitmapFile("/nonexistent/picture.png"), nullptr);
}


TEST(TranslatorRoster, RefusesABitmapStreamWithABadHeader)
{
	BBitmap* bitmap = make_pattern(false);
	BBitmapStream stream(bitmap);
	std::vector<uint8> bytes((size_t)stream.Size());
	ASSERT_EQ(stream.ReadAt(0, bytes.data(), bytes.size()), (ssize_t)bytes.size());
	// rowBytes far short of the width.
	bytes[20] = bytes[21] = bytes[22] = 0;
	bytes[23] = 4;
	BMemoryIO damaged(bytes.data(), bytes.size());
	BMallocIO out;
	EXPECT_EQ(BTranslatorRoster::Default()->Translate(&damaged, NULL, NULL, &out,
		B_PNG_FORMAT), B_ILLEGAL_DATA);
}


TEST(TranslatorRoster, WantedTypeLimitsTheTranslators)
{
	BBitmap* bitmap = make_pattern(false);
	BBitmapStream stream(bitmap);
	translator_info* infos = NULL;
	int32 count = 0;
	ASSERT_EQ(BTranslatorRoster::Default()->GetTranslators(&stream, NULL, &infos, &count, 0,
		NULL, B_JPEG_FORMAT), B_OK);
	ASSERT_EQ(count, 1);
	const char* name;
	ASSERT_EQ(BTranslatorRoster::Default()->GetTranslatorInfo(infos[0].translator, &name,
		NULL, NULL), B_OK);
	EXPECT_STREQ(name, "JPEG images");
	EXPECT_EQ(infos[0].type, (uint32)B_TRANSLATOR_BITMAP);
	delete[] infos;
}


TEST(TranslatorRoster, TextBecomesAStyledStreamAndBack)
{
	const char kText[] = "Two lines\nof text\n";
	BMemoryIO plain(kText, strlen(kText));
	BMallocIO styled;
	ASSERT_EQ(BTranslatorRoster::Default()->Translate(&plain, NULL, NULL, &styled,
		B_STYLED_TEXT_FORMAT), B_OK);
	ASSERT_GE(styled.BufferLength(), 32u + strlen(kText));
	EXPECT_EQ(memcmp(styled.Buffer(), "STXT", 4), 0);

	styled.Seek(0, SEEK_SET);
	translator_info info;
	ASSERT_EQ(BTranslatorRoster::Default()->Identify(&styled, NULL, &info), B_OK);
	EXPECT_EQ(info.type, (uint32)B_STYLED_TEXT_FORMAT);
	BMallocIO back;
	ASSERT_EQ(BTranslatorRoster::Default()->Translate(&styled, NULL, NULL, &back,
		B_TRANSLATOR_TEXT), B_OK);
	EXPECT_EQ(std::string((const char*)back.Buffer(), back.BufferLength()), kText);
}


TEST(TranslatorRoster, RefusesAStyledStreamWhoseTextRunsPastItsEnd)
{
	uint8 stream[32 + 4] = { 'S', 'T', 'X', 'T', 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0, 100,
		'T', 'E', 'X', 'T', 0, 0, 0, 16, 0x7f, 0, 0, 0, 0, 0, 0, 0, 'a', 'b', 'c', 'd' };
	BMemoryIO source(stream, sizeof(stream));
	BMallocIO out;
	EXPECT_EQ(BTranslatorRoster::Default()->Translate(&source, NULL, NULL, &out,
		B_TRANSLATOR_TEXT), B_ILLEGAL_DATA);
}


// A translator of the application's own, added to a roster of its own.
class UpperCaseTranslator : public BTranslator {
public:
	const char* TranslatorName() const override { return "Upper case"; }
	const char* TranslatorInfo() const override { return "Shouts."; }
	int32 TranslatorVersion() const override { return 110; }
	const translation_format* InputFormats(int32* count) const override
	{
		*count = 1;
		return &fFormat;
	}
	const translation_format* OutputFormats(int32* count) const override
	{
		*count = 1;
		return &fFormat;
	}
	status_t Identify(BPositionIO* source, const translation_format*, BMessage*,
		translator_info* info, uint32) override
	{
		char first;
		if (source->Read(&first, 1) != 1 || first < 'a' || first > 'z')
			return B_NO_TRANSLATOR;
		info->type = info->group = B_TRANSLATOR_TEXT;
		info->quality = info->capability = 1;
		return B_OK;
	}
	status_t Translate(BPositionIO* source, const translator_info*, BMessage*, uint32,
		BPositionIO* destination) override
	{
		char c;
		while (source->Read(&c, 1) == 1) {
			c = (char)toupper(c);
			destination->Write(&c, 1);
		}
		return B_OK;
	}

private:
	translation_format fFormat = { B_TRANSLATOR_TEXT, B_TRANSLATOR_TEXT, 1, 1, "text/plain",
		"Text" };
};


TEST(TranslatorRoster, RunsAnApplicationsTranslatorAndKeepsAReference)
{
	UpperCaseTranslator* translator = new UpperCaseTranslator;
	{
		BTranslatorRoster roster;
		ASSERT_EQ(roster.AddTranslator(translator), B_OK);
		EXPECT_EQ(translator->ReferenceCount(), 2);
		BMemoryIO source("quiet", 5);
		BMallocIO out;
		ASSERT_EQ(roster.Translate(&source, NULL, NULL, &out, B_TRANSLATOR_TEXT), B_OK);
		EXPECT_EQ(std::string((const char*)out.Buffer(), out.BufferLength()), "QUIET");
		translator_id* ids;
		int32 count;
		ASSERT_EQ(roster.GetAllTranslators(&ids, &count), B_OK);
		ASSERT_EQ(count, 1);
		entry_ref ref;
		EXPECT_EQ(roster.GetRefFor(ids[0], &ref), B_BAD_VALUE);
		delete[] ids;
	}
	EXPECT_EQ(translator->ReferenceCount(), 1);
	EXPECT_EQ(translator->Release(), nullptr);
}


TEST(TranslationUtils, AddsAMenuItemPerFormatABitmapCanBeSavedAs)
{
	BMenu menu("Save as");
	BMessage model('SVAS');
	ASSERT_EQ(BTranslationUtils::AddTranslationItems(&menu, B_TRANSLATOR_BITMAP, &model),
		B_OK);
	std::vector<uint32> types;
	for (int32 i = 0; i < menu.CountItems(); i++) {
		BMessage* message = menu.ItemAt(i)->Message();
		ASSERT_NE(message, nullptr);
		EXPECT_EQ(message->what, (uint32)'SVAS');
		const char* name;
		EXPECT_EQ(BTranslatorRoster::Default()->GetTranslatorInfo(
			(translator_id)message->FindInt32("be:translator"), &name, NULL, NULL), B_OK);
		types.push_back((uint32)message->FindInt32("be:type"));
	}
	EXPECT_EQ(types, (std::vector<uint32>{ B_PNG_FORMAT, B_JPEG_FORMAT, B_GIF_FORMAT,
		B_BMP_FORMAT, B_PPM_FORMAT }));
	EXPECT_EQ(BTranslationUtils::AddTranslationItems(NULL, B_TRANSLATOR_BITMAP), B_BAD_VALUE);
	// The kit's translators have no settings.
	EXPECT_EQ(BTranslationUtils::GetDefaultSettings("PNG images", 100), nullptr);
}

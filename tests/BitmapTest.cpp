// BBitmap: geometry, archives and pixel conversion.
#include <Bitmap.h>
#include <Message.h>
#include <TypeConstants.h>

#include <gtest/gtest.h>

#include <string.h>

TEST(BitmapTest, RowsArePaddedToFourBytes)
{
	BBitmap icon(BRect(0, 0, 15, 15), B_CMAP8);
	ASSERT_EQ(icon.InitCheck(), B_OK);
	EXPECT_TRUE(icon.IsValid());
	EXPECT_EQ(icon.BytesPerRow(), 16);
	EXPECT_EQ(icon.BitsLength(), 256);
	EXPECT_EQ(icon.ColorSpace(), B_CMAP8);
	EXPECT_EQ(icon.Bounds(), BRect(0, 0, 15, 15));

	BBitmap odd(BRect(0, 0, 16, 1), B_CMAP8);
	EXPECT_EQ(odd.BytesPerRow(), 20);
	EXPECT_EQ(odd.BitsLength(), 40);

	BBitmap rgb(BRect(0, 0, 9, 4), B_RGB32);
	EXPECT_EQ(rgb.BytesPerRow(), 40);
	EXPECT_EQ(rgb.BitsLength(), 200);

	BBitmap wide(BRect(0, 0, 9, 0), 0, B_RGB24, 64);
	EXPECT_EQ(wide.BytesPerRow(), 64);
}


TEST(BitmapTest, BadGeometryOrSpaceLeavesItInvalid)
{
	BBitmap inverted(BRect(10, 10, 0, 0), B_RGB32);
	EXPECT_NE(inverted.InitCheck(), B_OK);
	EXPECT_EQ(inverted.Bits(), nullptr);
	EXPECT_EQ(inverted.BitsLength(), 0);

	BBitmap unsupported(BRect(0, 0, 9, 9), (color_space)0x7777);
	EXPECT_NE(unsupported.InitCheck(), B_OK);

	BBitmap narrowRows(BRect(0, 0, 9, 9), 0, B_RGB32, 8);
	EXPECT_NE(narrowRows.InitCheck(), B_OK);

	BBitmap huge(BRect(0, 0, 30000, 30000), B_RGB32);
	EXPECT_NE(huge.InitCheck(), B_OK);
}


TEST(BitmapTest, ArchiveRoundTripKeepsEveryPixel)
{
	BBitmap icon(BRect(0, 0, 15, 15), B_CMAP8);
	uint8* bits = (uint8*)icon.Bits();
	for (int32 i = 0; i < icon.BitsLength(); i++)
		bits[i] = (uint8)(i * 7);

	BMessage archive;
	ASSERT_EQ(icon.Archive(&archive), B_OK);
	const char* className = NULL;
	EXPECT_EQ(archive.FindString("class", &className), B_OK);
	EXPECT_STREQ(className, "BBitmap");
	BRect frame;
	EXPECT_EQ(archive.FindRect("_frame", &frame), B_OK);
	EXPECT_EQ(frame, BRect(0, 0, 15, 15));
	int32 value = 0;
	EXPECT_EQ(archive.FindInt32("_cspace", &value), B_OK);
	EXPECT_EQ(value, (int32)B_CMAP8);
	EXPECT_EQ(archive.FindInt32("_rowbytes", &value), B_OK);
	EXPECT_EQ(value, 16);
	EXPECT_TRUE(archive.HasData("_bmflags", B_INT32_TYPE));

	BBitmap copy(&archive);
	ASSERT_EQ(copy.InitCheck(), B_OK);
	EXPECT_EQ(copy.Bounds(), icon.Bounds());
	EXPECT_EQ(copy.BytesPerRow(), 16);
	EXPECT_EQ(memcmp(copy.Bits(), icon.Bits(), 256), 0);

	BArchivable* instance = BBitmap::Instantiate(&archive);
	ASSERT_NE(instance, nullptr);
	EXPECT_NE(dynamic_cast<BBitmap*>(instance), nullptr);
	delete instance;
}


TEST(BitmapTest, BadArchivesGiveInvalidBitmaps)
{
	BMessage empty;
	BBitmap fromEmpty(&empty);
	EXPECT_NE(fromEmpty.InitCheck(), B_OK);
	EXPECT_EQ(BBitmap::Instantiate(&empty), nullptr);

	// Numbers that name no space, some beyond every value of the type itself.
	for (int32 space : { 0x7777, 0x650004, -1 }) {
		BMessage badSpace;
		badSpace.AddRect("_frame", BRect(0, 0, 3, 3));
		badSpace.AddInt32("_cspace", space);
		BBitmap fromBadSpace(&badSpace);
		EXPECT_NE(fromBadSpace.InitCheck(), B_OK) << space;
	}

	// Short pixel data is taken as far as it goes; the rest stays zero.
	BMessage shortData;
	shortData.AddRect("_frame", BRect(0, 0, 3, 3));
	shortData.AddInt32("_cspace", B_CMAP8);
	shortData.AddInt32("_rowbytes", 4);
	uint8 pixels[3] = { 9, 9, 9 };
	shortData.AddData("_data", B_RAW_TYPE, pixels, sizeof(pixels));
	BBitmap fromShort(&shortData);
	ASSERT_EQ(fromShort.InitCheck(), B_OK);
	EXPECT_EQ(((uint8*)fromShort.Bits())[2], 9);
	EXPECT_EQ(((uint8*)fromShort.Bits())[3], 0);

	BMessage hugeRows(shortData);
	hugeRows.ReplaceInt32("_rowbytes", 0x7fffffff);
	BBitmap fromHugeRows(&hugeRows);
	EXPECT_NE(fromHugeRows.InitCheck(), B_OK);
}


TEST(BitmapTest, SetBitsCopiesOrConverts)
{
	BBitmap icon(BRect(0, 0, 3, 1), B_CMAP8);
	uint8 indices[8] = { 0, 63, 255, 5, 1, 2, 3, 4 };
	icon.SetBits(indices, sizeof(indices), 0, B_CMAP8);
	EXPECT_EQ(memcmp(icon.Bits(), indices, 8), 0);

	// Copies stop at the end of the bitmap.
	icon.SetBits(indices, sizeof(indices), 6, B_CMAP8);
	EXPECT_EQ(((uint8*)icon.Bits())[7], 63);

	BBitmap rgb(BRect(0, 0, 3, 1), B_RGB32);
	rgb.SetBits(indices, sizeof(indices), 0, B_CMAP8);
	const uint8* pixel = (const uint8*)rgb.Bits();
	EXPECT_EQ(pixel[0], 0);		// index 0 is black
	EXPECT_EQ(pixel[4], 255);	// index 63 is white
	EXPECT_EQ(pixel[5], 255);
	EXPECT_EQ(pixel[8], 0x77);	// the transparent index becomes the magic colour
	EXPECT_EQ(pixel[9], 0x74);
	EXPECT_EQ(pixel[10], 0x77);

	BBitmap back(BRect(0, 0, 3, 1), B_CMAP8);
	ASSERT_EQ(back.ImportBits(&rgb), B_OK);
	EXPECT_EQ(memcmp(back.Bits(), indices, 8), 0);

	BBitmap otherSize(BRect(0, 0, 4, 1), B_CMAP8);
	EXPECT_NE(otherSize.ImportBits(&rgb), B_OK);
}


TEST(BitmapTest, EverySpaceConvertsToAndFromRGB32)
{
	const rgb_color colors[4] = { { 255, 0, 0, 255 }, { 0, 255, 0, 255 },
		{ 0, 0, 255, 255 }, { 255, 255, 255, 255 } };
	BBitmap source(BRect(0, 0, 3, 0), B_RGB32);
	uint8* pixels = (uint8*)source.Bits();
	for (int i = 0; i < 4; i++) {
		pixels[i * 4] = colors[i].blue;
		pixels[i * 4 + 1] = colors[i].green;
		pixels[i * 4 + 2] = colors[i].red;
		pixels[i * 4 + 3] = 255;
	}
	for (color_space space : { B_RGB15, B_RGBA15, B_RGB16, B_RGB24, B_RGBA32, B_CMAP8,
			B_RGB32_BIG, B_RGBA32_BIG, B_RGB24_BIG, B_RGB16_BIG, B_RGB15_BIG,
			B_RGBA15_BIG }) {
		BBitmap converted(source.Bounds(), space);
		ASSERT_EQ(converted.InitCheck(), B_OK) << space;
		ASSERT_EQ(converted.ImportBits(&source), B_OK) << space;
		BBitmap back(source.Bounds(), B_RGB32);
		ASSERT_EQ(back.ImportBits(&converted), B_OK) << space;
		// Pure primaries and white survive every space.
		EXPECT_EQ(memcmp(back.Bits(), source.Bits(), 16), 0) << space;
	}

	// Big-endian forms store the most significant byte first.
	BBitmap big(source.Bounds(), B_RGB32_BIG);
	big.ImportBits(&source);
	const uint8* first = (const uint8*)big.Bits();
	EXPECT_EQ(first[1], 255);
	EXPECT_EQ(first[2], 0);
	EXPECT_EQ(first[3], 0);
	BBitmap big16(BRect(0, 0, 3, 0), B_RGB16_BIG);
	big16.ImportBits(&source);
	EXPECT_EQ(((const uint8*)big16.Bits())[0], 0xf8);
	EXPECT_EQ(((const uint8*)big16.Bits())[1], 0x00);

	// SetBits converts from any of them.
	BBitmap fromBig(source.Bounds(), B_RGB32);
	fromBig.SetBits(big16.Bits(), big16.BitsLength(), 0, B_RGB16_BIG);
	EXPECT_EQ(memcmp(fromBig.Bits(), source.Bits(), 16), 0);
}


TEST(BitmapTest, Gray1PacksEightPixelsAByte)
{
	BBitmap mono(BRect(0, 0, 39, 1), B_GRAY1);
	ASSERT_EQ(mono.InitCheck(), B_OK);
	// 40 pixels take 5 bytes, padded to 8.
	EXPECT_EQ(mono.BytesPerRow(), 8);
	BBitmap rgb(mono.Bounds(), B_RGB32);
	uint8* pixels = (uint8*)rgb.Bits();
	memset(pixels, 255, rgb.BitsLength());
	// Dark pixels at x = 0 and x = 9 of the first row.
	memset(pixels, 0, 4);
	memset(pixels + 9 * 4, 20, 3);
	ASSERT_EQ(mono.ImportBits(&rgb), B_OK);
	const uint8* bits = (const uint8*)mono.Bits();
	EXPECT_EQ(bits[0], 0x80);
	EXPECT_EQ(bits[1], 0x40);
	EXPECT_EQ(bits[8], 0x00);

	size_t chunk = 0;
	size_t alignment = 0;
	size_t perChunk = 0;
	ASSERT_EQ(get_pixel_size_for(B_GRAY1, &chunk, &alignment, &perChunk), B_OK);
	EXPECT_EQ(chunk, 1u);
	EXPECT_EQ(perChunk, 8u);
	ASSERT_EQ(get_pixel_size_for(B_RGB24_BIG, &chunk, &alignment, &perChunk), B_OK);
	EXPECT_EQ(chunk, 3u);
	EXPECT_EQ(perChunk, 1u);
	EXPECT_EQ(alignment, 4u);
	EXPECT_EQ(get_pixel_size_for((color_space)0x7777, &chunk, NULL, NULL), B_BAD_VALUE);

	uint32 flags = 0;
	EXPECT_TRUE(bitmaps_support_space(B_RGB15_BIG, &flags));
	EXPECT_EQ(flags, (uint32)(B_VIEWS_SUPPORT_DRAW_BITMAP | B_BITMAPS_SUPPORT_ATTACHED_VIEWS));
	EXPECT_FALSE(bitmaps_support_space(B_NO_COLOR_SPACE, &flags));
	EXPECT_EQ(flags, 0u);
}

// BBitmapStream: a bitmap read as a bitmap stream (big-endian header, then its pixels), a
// stream written in pieces becoming a bitmap, bad headers refused, and who owns the bitmap.
#include <Bitmap.h>
#include <BitmapStream.h>
#include <ByteOrder.h>

#include <gtest/gtest.h>

#include <string.h>

#include <vector>

namespace {

std::vector<uint8>
stream_bytes(BBitmapStream& stream)
{
	std::vector<uint8> bytes((size_t)stream.Size());
	EXPECT_EQ(stream.ReadAt(0, bytes.data(), bytes.size()), (ssize_t)bytes.size());
	return bytes;
}


uint32
big32(const std::vector<uint8>& bytes, size_t offset)
{
	uint32 value;
	memcpy(&value, &bytes[offset], 4);
	return B_BENDIAN_TO_HOST_INT32(value);
}

} // namespace


TEST(BitmapStream, ReadsABitmapAsAHeaderAndItsPixels)
{
	BBitmap* bitmap = new BBitmap(BRect(0, 0, 2, 1), B_RGB32);
	memset(bitmap->Bits(), 0x5a, bitmap->BitsLength());
	BBitmapStream stream(bitmap);
	ASSERT_EQ(stream.Size(), (off_t)(sizeof(TranslatorBitmap) + bitmap->BitsLength()));
	std::vector<uint8> bytes = stream_bytes(stream);
	EXPECT_EQ(big32(bytes, 0), (uint32)B_TRANSLATOR_BITMAP);
	uint32 right = big32(bytes, 12);
	float rightValue;
	memcpy(&rightValue, &right, 4);
	EXPECT_EQ(rightValue, 2.0f);
	EXPECT_EQ(big32(bytes, 20), (uint32)bitmap->BytesPerRow());
	EXPECT_EQ(big32(bytes, 24), (uint32)B_RGB32);
	EXPECT_EQ(big32(bytes, 28), (uint32)bitmap->BitsLength());
	EXPECT_EQ(bytes[sizeof(TranslatorBitmap)], 0x5a);
	// Reading past the end gives nothing; the stream deletes the bitmap it still owns.
	uint8 byte;
	EXPECT_EQ(stream.ReadAt(stream.Size(), &byte, 1), 0);
}


TEST(BitmapStream, WrittenInPiecesBecomesABitmap)
{
	BBitmap* source = new BBitmap(BRect(0, 0, 4, 3), B_RGBA32);
	for (int32 i = 0; i < source->BitsLength(); i++)
		((uint8*)source->Bits())[i] = (uint8)i;
	BBitmapStream reader(source);
	std::vector<uint8> bytes = stream_bytes(reader);

	BBitmapStream writer;
	BBitmap* unset;
	EXPECT_EQ(writer.DetachBitmap(&unset), B_ERROR);
	// Pieces that split the header and the pixels at odd places.
	size_t cuts[] = { 0, 7, 31, 45, bytes.size() };
	for (size_t i = 0; i + 1 < sizeof(cuts) / sizeof(cuts[0]); i++) {
		ASSERT_EQ(writer.Write(&bytes[cuts[i]], cuts[i + 1] - cuts[i]),
			(ssize_t)(cuts[i + 1] - cuts[i]));
	}
	EXPECT_EQ(writer.Size(), (off_t)bytes.size());
	BBitmap* made = NULL;
	ASSERT_EQ(writer.DetachBitmap(&made), B_OK);
	EXPECT_EQ(made->Bounds(), source->Bounds());
	EXPECT_EQ(made->ColorSpace(), B_RGBA32);
	EXPECT_EQ(memcmp(made->Bits(), source->Bits(), source->BitsLength()), 0);
	EXPECT_EQ(writer.DetachBitmap(&made), B_ERROR) << "a bitmap is handed over once";
	delete made;
}


TEST(BitmapStream, RefusesHeadersThatDescribeNoBitmap)
{
	BBitmap* source = new BBitmap(BRect(0, 0, 9, 9), B_RGB32);
	BBitmapStream reader(source);
	std::vector<uint8> good = stream_bytes(reader);

	struct Damage {
		size_t		offset;
		uint32		value;
	} damages[] = {
		{ 0, 'junk' },				// no magic
		{ 20, 4 },					// rows shorter than the width
		{ 24, 0x7777 },				// no colour space
		{ 28, 12 },					// a data size that does not fit the rows
		{ 12, 0x7f800000 },			// an infinite right edge
		{ 16, 0x4b000000 },			// a height past the cap
	};
	for (const Damage& damage : damages) {
		std::vector<uint8> bytes = good;
		uint32 big = B_HOST_TO_BENDIAN_INT32(damage.value);
		memcpy(&bytes[damage.offset], &big, 4);
		BBitmapStream writer;
		EXPECT_LT(writer.Write(bytes.data(), bytes.size()), 0) << damage.offset;
		BBitmap* made;
		EXPECT_EQ(writer.DetachBitmap(&made), B_ERROR) << damage.offset;
	}
}


TEST(BitmapStream, PixelsBeforeTheHeaderAreRefused)
{
	BBitmapStream writer;
	uint8 pixels[8] = {};
	EXPECT_EQ(writer.WriteAt(sizeof(TranslatorBitmap), pixels, sizeof(pixels)), B_ERROR);
	EXPECT_EQ(writer.Seek(-1, SEEK_SET), B_BAD_VALUE);
}


TEST(BitmapStream, AHeaderMustMatchTheBitmapItWasMadeWith)
{
	BBitmapStream reader(new BBitmap(BRect(0, 0, 3, 3), B_RGB32));
	std::vector<uint8> other = stream_bytes(reader);
	BBitmapStream writer(new BBitmap(BRect(0, 0, 7, 7), B_RGB32));
	EXPECT_EQ(writer.WriteAt(0, other.data(), sizeof(TranslatorBitmap)), B_MISMATCHED_VALUES);
}

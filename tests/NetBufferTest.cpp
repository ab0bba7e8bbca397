// BNetBuffer: numbers in network order, strings and messages in and out, and what a peer's
// short or malformed bytes do.
#include <NetBuffer.h>

#include <Message.h>

#include <gtest/gtest.h>

#include <string.h>

TEST(NetBuffer, NumbersGoOutInNetworkOrderAndComeBack)
{
	BNetBuffer buffer;
	ASSERT_EQ(buffer.InitCheck(), B_OK);
	ASSERT_EQ(buffer.AppendUint16(0x1234), B_OK);
	ASSERT_EQ(buffer.AppendInt32(-2), B_OK);
	ASSERT_EQ(buffer.AppendUint64(0x0102030405060708ULL), B_OK);
	ASSERT_EQ(buffer.AppendFloat(1.5f), B_OK);
	ASSERT_EQ(buffer.AppendDouble(-0.25), B_OK);
	ASSERT_EQ(buffer.AppendInt8(-7), B_OK);
	EXPECT_EQ(buffer.Size(), 2u + 4 + 8 + 4 + 8 + 1);
	EXPECT_EQ(buffer.Data()[0], 0x12);
	EXPECT_EQ(buffer.Data()[1], 0x34);

	uint16 u16;
	int32 i32;
	uint64 u64;
	float f;
	double d;
	int8 i8;
	ASSERT_EQ(buffer.RemoveUint16(u16), B_OK);
	ASSERT_EQ(buffer.RemoveInt32(i32), B_OK);
	ASSERT_EQ(buffer.RemoveUint64(u64), B_OK);
	ASSERT_EQ(buffer.RemoveFloat(f), B_OK);
	ASSERT_EQ(buffer.RemoveDouble(d), B_OK);
	ASSERT_EQ(buffer.RemoveInt8(i8), B_OK);
	EXPECT_EQ(u16, 0x1234);
	EXPECT_EQ(i32, -2);
	EXPECT_EQ(u64, 0x0102030405060708ULL);
	EXPECT_EQ(f, 1.5f);
	EXPECT_EQ(d, -0.25);
	EXPECT_EQ(i8, -7);
	EXPECT_EQ(buffer.BytesRemaining(), 0u);
}


TEST(NetBuffer, TooFewBytesLeaveTheBufferAsItWas)
{
	BNetBuffer buffer;
	ASSERT_EQ(buffer.AppendUint16(7), B_OK);
	int32 value = 99;
	EXPECT_EQ(buffer.RemoveInt32(value), B_ERROR);
	EXPECT_EQ(value, 99);
	EXPECT_EQ(buffer.BytesRemaining(), 2u);
	uint16 small;
	EXPECT_EQ(buffer.RemoveUint16(small), B_OK);
	EXPECT_EQ(small, 7);
}


TEST(NetBuffer, StringsNeedTheirTerminatorWithinTheSize)
{
	BNetBuffer buffer;
	ASSERT_EQ(buffer.AppendString("hello"), B_OK);
	char small[4];
	EXPECT_EQ(buffer.RemoveString(small, sizeof(small)), B_ERROR);
	char text[16];
	ASSERT_EQ(buffer.RemoveString(text, sizeof(text)), B_OK);
	EXPECT_STREQ(text, "hello");
	// A peer's bytes without a terminator.
	ASSERT_EQ(buffer.AppendData("abc", 3), B_OK);
	EXPECT_EQ(buffer.RemoveString(text, sizeof(text)), B_ERROR);
	EXPECT_EQ(buffer.BytesRemaining(), 3u);
}


TEST(NetBuffer, MessagesRoundTripAndBadOnesStay)
{
	BNetBuffer buffer;
	BMessage message('test');
	message.AddString("name", "value");
	ASSERT_EQ(buffer.AppendMessage(message), B_OK);
	ASSERT_EQ(buffer.AppendInt32(5), B_OK);
	BMessage copy;
	ASSERT_EQ(buffer.RemoveMessage(copy), B_OK);
	EXPECT_EQ(copy.what, (uint32)'test');
	EXPECT_STREQ(copy.FindString("name"), "value");
	int32 after;
	ASSERT_EQ(buffer.RemoveInt32(after), B_OK);
	EXPECT_EQ(after, 5);

	// A size beyond the bytes there, then bytes that are no message.
	ASSERT_EQ(buffer.AppendUint32(1000), B_OK);
	ASSERT_EQ(buffer.AppendData("xxxx", 4), B_OK);
	EXPECT_EQ(buffer.RemoveMessage(copy), B_ERROR);
	EXPECT_EQ(buffer.BytesRemaining(), 8u);
	BNetBuffer junk;
	ASSERT_EQ(junk.AppendUint32(4), B_OK);
	ASSERT_EQ(junk.AppendData("xxxx", 4), B_OK);
	EXPECT_EQ(junk.RemoveMessage(copy), B_BAD_DATA);
	EXPECT_EQ(junk.BytesRemaining(), 8u);
}


TEST(NetBuffer, CopiesAndArchivesKeepTheBytesLeft)
{
	BNetBuffer buffer(4);
	for (int32 i = 0; i < 100; i++)
		ASSERT_EQ(buffer.AppendInt32(i), B_OK);
	int32 first;
	ASSERT_EQ(buffer.RemoveInt32(first), B_OK);
	BNetBuffer copy(buffer);
	EXPECT_EQ(copy.BytesRemaining(), 99u * 4);
	BMessage archive;
	ASSERT_EQ(buffer.Archive(&archive), B_OK);
	BNetBuffer* restored = dynamic_cast<BNetBuffer*>(BNetBuffer::Instantiate(&archive));
	ASSERT_NE(restored, nullptr);
	int32 value;
	ASSERT_EQ(restored->RemoveInt32(value), B_OK);
	EXPECT_EQ(value, 1);
	EXPECT_EQ(restored->BytesRemaining(), 98u * 4);
	delete restored;
	BMessage other('none');
	EXPECT_EQ(BNetBuffer::Instantiate(&other), nullptr);
}

// ByteOrder.h: the conversion macros and swap_data for the kit's types.
#include <ByteOrder.h>

#include <gtest/gtest.h>

#include <string.h>


TEST(ByteOrder, MacrosConvertBetweenHostAndEachOrder)
{
	uint32 value = 0x11223344;
	uint8 little[4];
	uint32 converted = B_HOST_TO_LENDIAN_INT32(value);
	memcpy(little, &converted, 4);
	EXPECT_EQ(little[0], 0x44);
	EXPECT_EQ(little[3], 0x11);
	uint8 big[4];
	converted = B_HOST_TO_BENDIAN_INT32(value);
	memcpy(big, &converted, 4);
	EXPECT_EQ(big[0], 0x11);
	EXPECT_EQ(B_BENDIAN_TO_HOST_INT32(B_HOST_TO_BENDIAN_INT32(value)), value);
	EXPECT_EQ(B_SWAP_INT16(0x1234), 0x3412);
	EXPECT_EQ(B_SWAP_INT64(0x0102030405060708ULL), 0x0807060504030201ULL);
	EXPECT_EQ(B_SWAP_FLOAT(B_SWAP_FLOAT(1.5f)), 1.5f);
	EXPECT_EQ(B_SWAP_DOUBLE(B_SWAP_DOUBLE(-2.25)), -2.25);
	EXPECT_NE(B_HOST_IS_LENDIAN, B_HOST_IS_BENDIAN);
}


TEST(ByteOrder, SwapDataSwapsEachItemOfItsType)
{
	int32 values[2] = { 0x01020304, 0x05060708 };
	ASSERT_EQ(swap_data(B_INT32_TYPE, values, sizeof(values), B_SWAP_ALWAYS), B_OK);
	EXPECT_EQ(values[0], 0x04030201);
	EXPECT_EQ(values[1], 0x08070605);

	// Converting to the host's own order changes nothing.
	ASSERT_EQ(swap_data(B_INT32_TYPE, values, sizeof(values),
		B_HOST_IS_LENDIAN ? B_SWAP_LENDIAN_TO_HOST : B_SWAP_BENDIAN_TO_HOST), B_OK);
	EXPECT_EQ(values[0], 0x04030201);

	// A rectangle is four floats.
	float rect[4] = { 1, 2, 3, 4 };
	ASSERT_EQ(swap_data(B_RECT_TYPE, rect, sizeof(rect), B_SWAP_ALWAYS), B_OK);
	EXPECT_EQ(B_SWAP_FLOAT(rect[2]), 3.0f);

	char text[] = "text";
	EXPECT_EQ(swap_data(B_STRING_TYPE, text, sizeof(text), B_SWAP_ALWAYS), B_OK);
	EXPECT_STREQ(text, "text");
	EXPECT_FALSE(is_type_swapped(B_STRING_TYPE));
	EXPECT_TRUE(is_type_swapped(B_DOUBLE_TYPE));
}


TEST(ByteOrder, SwapDataRefusesWhatItCannotSwap)
{
	int16 odd[2] = {};
	EXPECT_EQ(swap_data(B_INT16_TYPE, odd, 3, B_SWAP_ALWAYS), B_BAD_VALUE);
	EXPECT_EQ(swap_data('what', odd, 4, B_SWAP_ALWAYS), B_BAD_VALUE);
	EXPECT_EQ(swap_data(B_INT32_TYPE, NULL, 4, B_SWAP_ALWAYS), B_BAD_VALUE);
	EXPECT_EQ(swap_data(B_INT32_TYPE, NULL, 0, B_SWAP_ALWAYS), B_OK);
}

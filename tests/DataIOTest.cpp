#include <DataIO.h>

#include <gtest/gtest.h>

#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <string>


TEST(DataIOTest, MallocIOGrowsWithZerosAndTracksPosition)
{
	BMallocIO io;
	io.SetBlockSize(4);
	EXPECT_EQ(io.Write("abc", 3), 3);
	EXPECT_EQ(io.WriteAt(6, "z", 1), 1);
	ASSERT_EQ(io.BufferLength(), 7u);
	EXPECT_EQ(memcmp(io.Buffer(), "abc\0\0\0z", 7), 0);
	EXPECT_EQ(io.Position(), 3);

	off_t size = 0;
	EXPECT_EQ(io.GetSize(&size), B_OK);
	EXPECT_EQ(size, 7);
	EXPECT_EQ(io.Position(), 3);

	// Shrinking then growing again must not bring the old bytes back.
	EXPECT_EQ(io.SetSize(1), B_OK);
	EXPECT_EQ(io.SetSize(3), B_OK);
	EXPECT_EQ(memcmp(io.Buffer(), "a\0\0", 3), 0);

	char buffer[4];
	EXPECT_EQ(io.ReadAt(5, buffer, 4), 0);
	EXPECT_EQ(io.Seek(-1, SEEK_SET), B_BAD_VALUE);
	EXPECT_EQ(io.Seek(0, SEEK_END), 3);
	// A seek that would overflow is refused and leaves the position alone.
	EXPECT_EQ(io.Seek(INT64_MAX, SEEK_CUR), B_BAD_VALUE);
	EXPECT_EQ(io.Seek(0, 42), B_BAD_VALUE);
	EXPECT_EQ(io.Position(), 3);
}


TEST(DataIOTest, MemoryIOStaysInsideItsBuffer)
{
	char storage[8] = "1234567";
	BMemoryIO io(storage, 8);
	EXPECT_EQ(io.WriteAt(6, "abcd", 4), 2);
	EXPECT_EQ(io.WriteAt(8, "x", 1), 0);
	EXPECT_EQ(memcmp(storage, "123456ab", 8), 0);

	EXPECT_EQ(io.SetSize(4), B_OK);
	char buffer[8] = {};
	EXPECT_EQ(io.Read(buffer, 8), 4);
	EXPECT_EQ(io.Position(), 4);
	EXPECT_EQ(io.SetSize(9), B_BAD_VALUE);

	const char constant[] = "ro";
	BMemoryIO readOnly(constant, 2);
	EXPECT_EQ(readOnly.WriteAt(0, "x", 1), B_NOT_ALLOWED);
	EXPECT_EQ(readOnly.SetSize(1), B_NOT_ALLOWED);
	EXPECT_EQ(readOnly.ReadAt(1, buffer, 5), 1);
	EXPECT_EQ(readOnly.Seek(1, SEEK_END), 3);
	EXPECT_EQ(readOnly.Seek(INT64_MAX, SEEK_CUR), B_BAD_VALUE);
	EXPECT_EQ(readOnly.Read(buffer, 1), 0);
}

// A buffer in front of a stream: what reads and writes see through it, when the stream
// sees the writes, and the stream's ownership.
#include <BufferIO.h>
#include <DataIO.h>

#include <gtest/gtest.h>

#include <string.h>

#include <string>

namespace {

// A memory stream that counts the calls that reach it.
class CountingIO : public BMallocIO {
public:
	ssize_t ReadAt(off_t position, void* buffer, size_t size) override
	{
		fReads++;
		return BMallocIO::ReadAt(position, buffer, size);
	}

	ssize_t WriteAt(off_t position, const void* buffer, size_t size) override
	{
		fWrites++;
		return BMallocIO::WriteAt(position, buffer, size);
	}

	std::string Contents()
	{
		return std::string((const char*)Buffer(), BufferLength());
	}

	int fReads = 0;
	int fWrites = 0;
};

} // namespace


TEST(BufferIOTest, SmallReadsComeFromOneWindow)
{
	CountingIO stream;
	std::string text(2000, 'x');
	text.replace(100, 5, "hello");
	stream.WriteAt(0, text.data(), text.size());
	BBufferIO buffer(&stream, 1024, false);

	char word[6] = {};
	for (off_t position = 0; position < 1000; position += 10)
		buffer.ReadAt(position, word, 5);
	EXPECT_EQ(buffer.ReadAt(100, word, 5), 5);
	EXPECT_STREQ(word, "hello");
	EXPECT_EQ(stream.fReads, 1);
	// Past the window, the window moves; past the end, the read is short.
	EXPECT_EQ(buffer.ReadAt(1990, word, 5), 5);
	EXPECT_EQ(buffer.ReadAt(1998, word, 5), 2);
	char large[1500];
	EXPECT_EQ(buffer.ReadAt(0, large, sizeof(large)), 1500);
}


TEST(BufferIOTest, WritesReachTheStreamOnFlush)
{
	CountingIO stream;
	{
		BBufferIO buffer(&stream, 512, false);
		EXPECT_EQ(buffer.Write("abc", 3), 3);
		EXPECT_EQ(buffer.Write("def", 3), 3);
		EXPECT_EQ(buffer.Position(), 6);
		EXPECT_EQ(stream.fWrites, 0);
		char read[7] = {};
		EXPECT_EQ(buffer.ReadAt(0, read, 6), 6);
		EXPECT_STREQ(read, "abcdef");
		off_t size = 0;
		EXPECT_EQ(buffer.GetSize(&size), B_OK);
		EXPECT_EQ(size, 6);
		EXPECT_EQ(buffer.Flush(), B_OK);
		EXPECT_EQ(stream.Contents(), "abcdef");
		EXPECT_EQ(stream.fWrites, 1);
		buffer.WriteAt(2, "XY", 2);
	}
	// The destructor writes what is left.
	EXPECT_EQ(stream.Contents(), "abXYef");
}


TEST(BufferIOTest, AWriteElsewhereWritesTheWindowBackFirst)
{
	CountingIO stream;
	BBufferIO buffer(&stream, 512, false);
	buffer.WriteAt(0, "head", 4);
	buffer.WriteAt(4000, "tail", 4);
	EXPECT_EQ(stream.Contents().substr(0, 4), "head");
	std::string large(600, 'L');
	EXPECT_EQ(buffer.WriteAt(10, large.data(), large.size()), 600);
	buffer.Flush();
	EXPECT_EQ(stream.Contents().substr(4000, 4), "tail");
	EXPECT_EQ(stream.Contents().substr(10, 600), large);
	EXPECT_EQ(buffer.SetSize(8), B_OK);
	EXPECT_EQ(stream.Contents(), std::string("head") + std::string(4, '\0'));
}


TEST(BufferIOTest, OwnsItsStreamUnlessToldOtherwise)
{
	BBufferIO owner(new BMallocIO, 1024);
	EXPECT_TRUE(owner.OwnsStream());
	EXPECT_EQ(owner.BufferSize(), 1024u);
	CountingIO stream;
	BBufferIO borrower(&stream, 1024, true);
	borrower.SetOwnsStream(false);
	EXPECT_EQ(borrower.Stream(), &stream);
	EXPECT_EQ(borrower.ReadAt(-1, NULL, 1), B_BAD_VALUE);
	EXPECT_EQ(borrower.Seek(-5, SEEK_SET), B_BAD_VALUE);
	EXPECT_EQ(BBufferIO(NULL, 64, false).ReadAt(0, &stream, 1), B_NO_INIT);
}

#include <Resources.h>

#include "storage/ExecutableExtent.h"
#include "storage/ResourceContainer.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ScratchDirectory.h"

using BPrivate::ResourceItem;
using BPrivate::ResourceItemList;

namespace {

typedef std::vector<uint8> Bytes;

const type_code kTextType = 'TEXT';
const type_code kIconType = 'MSGG';

// Offsets inside a container, as its format defines them.
const size_t kCountAt = 8;
const size_t kFirstEntryAt = 16;
const size_t kEntrySize = 24;


Bytes
read_bytes(const std::string& path)
{
	std::ifstream in(path, std::ios::binary);
	return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}


void
write_bytes(const std::string& path, const Bytes& bytes)
{
	std::ofstream out(path, std::ios::binary | std::ios::trunc);
	out.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}


void
put_uint32(Bytes& bytes, size_t at, uint32 value)
{
	for (int i = 0; i < 4; i++)
		bytes[at + i] = (uint8)(value >> (8 * i));
}


// A container of three resources: two named, one empty and unnamed.
Bytes
sample_container()
{
	ResourceItemList items;
	const char* names[] = { "first", "second", "" };
	const char* data[] = { "alpha", "beta-beta", "" };
	for (int i = 0; i < 3; i++) {
		std::unique_ptr<ResourceItem> item(new ResourceItem);
		item->type = i < 2 ? kTextType : kIconType;
		item->id = i + 1;
		item->name = names[i];
		item->data.assign(data[i], data[i] + strlen(data[i]));
		items.push_back(std::move(item));
	}
	BMallocIO io;
	EXPECT_EQ(BPrivate::write_resource_container(io, 0, items), B_OK);
	const uint8* buffer = static_cast<const uint8*>(io.Buffer());
	return Bytes(buffer, buffer + io.BufferLength());
}


class ResourcesTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		fPath = fScratch / "file";
	}

	// Opening a damaged file without clobbering fails, refuses changes and leaves every
	// byte of the file as it was.
	void ExpectRejected(const Bytes& contents)
	{
		write_bytes(fPath, contents);
		{
			BFile file(fPath.c_str(), B_READ_WRITE);
			BResources resources;
			EXPECT_EQ(resources.SetTo(&file), B_BAD_DATA);
			EXPECT_EQ(resources.InitCheck(), B_BAD_DATA);
			EXPECT_EQ(resources.LoadResource(kTextType, 1, NULL), nullptr);
			EXPECT_NE(resources.AddResource(kTextType, 9, "x", 1), B_OK);
			EXPECT_NE(resources.Sync(), B_OK);
		}
		EXPECT_EQ(read_bytes(fPath), contents);
	}

	ScratchDirectory fScratch{"resources"};
	std::string fPath;
};

} // namespace


TEST_F(ResourcesTest, WrittenResourcesReadBackByIdNameAndIndex)
{
	{
		BFile file(fPath.c_str(), B_READ_WRITE | B_CREATE_FILE);
		BResources resources(&file, true);
		ASSERT_EQ(resources.InitCheck(), B_OK);
		EXPECT_EQ(resources.AddResource(kTextType, 1, "alpha", 5, "first"), B_OK);
		EXPECT_EQ(resources.AddResource(kIconType, -7, "", 0), B_OK);
		EXPECT_EQ(resources.AddResource(kTextType, 2, "beta", 4, "second"), B_OK);
		EXPECT_EQ(resources.Sync(), B_OK);
	}

	BFile file(fPath.c_str(), B_READ_ONLY);
	BResources resources(&file);
	ASSERT_EQ(resources.InitCheck(), B_OK);

	size_t size = 0;
	const void* data = resources.LoadResource(kTextType, 1, &size);
	ASSERT_NE(data, nullptr);
	EXPECT_EQ(std::string(static_cast<const char*>(data), size), "alpha");
	data = resources.LoadResource(kTextType, "second", &size);
	ASSERT_NE(data, nullptr);
	EXPECT_EQ(std::string(static_cast<const char*>(data), size), "beta");
	EXPECT_NE(resources.LoadResource(kIconType, -7, &size), nullptr);
	EXPECT_EQ(size, 0u);
	EXPECT_EQ(resources.LoadResource(kTextType, 3, &size), nullptr);
	EXPECT_EQ(resources.LoadResource(kIconType, 1, &size), nullptr);
	EXPECT_EQ(resources.LoadResource(kTextType, (const char*)NULL, &size), nullptr);
	EXPECT_EQ(resources.LoadResource(kIconType, "", &size), nullptr);

	// The older calls hand over a copy that the caller frees.
	void* copy = resources.FindResource(kTextType, "second", &size);
	ASSERT_NE(copy, nullptr);
	EXPECT_EQ(std::string(static_cast<const char*>(copy), size), "beta");
	free(copy);
	copy = resources.FindResource(kIconType, -7, &size);
	EXPECT_NE(copy, nullptr);
	EXPECT_EQ(size, 0u);
	free(copy);
	EXPECT_EQ(resources.FindResource(kTextType, 3, &size), nullptr);

	EXPECT_TRUE(resources.HasResource(kTextType, "first"));
	EXPECT_FALSE(resources.HasResource(kIconType, "first"));
	EXPECT_TRUE(resources.HasResource(kIconType, -7));

	type_code type;
	int32 id;
	const char* name;
	EXPECT_TRUE(resources.GetResourceInfo(1, &type, &id, &name, &size));
	EXPECT_EQ(type, kIconType);
	EXPECT_EQ(id, -7);
	EXPECT_STREQ(name, "");
	EXPECT_FALSE(resources.GetResourceInfo(3, &type, &id, &name, &size));
	EXPECT_FALSE(resources.GetResourceInfo(-1, &type, &id, &name, &size));

	EXPECT_TRUE(resources.GetResourceInfo(kTextType, 1, &id, &name, &size));
	EXPECT_EQ(id, 2);
	EXPECT_STREQ(name, "second");
	EXPECT_FALSE(resources.GetResourceInfo(kTextType, 2, &id, &name, &size));

	EXPECT_TRUE(resources.GetResourceInfo(kTextType, (int32)1, &name, &size));
	EXPECT_STREQ(name, "first");
	EXPECT_EQ(size, 5u);

	EXPECT_TRUE(resources.GetResourceInfo(kTextType, "second", &id, &size));
	EXPECT_EQ(id, 2);
	EXPECT_FALSE(resources.GetResourceInfo(kTextType, "third", &id, &size));
}


TEST_F(ResourcesTest, ReadOnlyResourcesNeverTouchTheFile)
{
	write_bytes(fPath, sample_container());
	Bytes before = read_bytes(fPath);
	{
		BFile file(fPath.c_str(), B_READ_ONLY);
		BResources resources(&file);
		ASSERT_EQ(resources.InitCheck(), B_OK);
		EXPECT_EQ(resources.AddResource(kTextType, 5, "x", 1), B_NOT_ALLOWED);
		EXPECT_EQ(resources.RemoveResource(kTextType, 1), B_NOT_ALLOWED);
		EXPECT_EQ(resources.Sync(), B_OK);

		BResources clobbering;
		EXPECT_EQ(clobbering.SetTo(&file, true), B_NOT_ALLOWED);
	}
	EXPECT_EQ(read_bytes(fPath), before);
}


TEST_F(ResourcesTest, ChangesReplaceRemoveAndReachTheFileWhenUnset)
{
	write_bytes(fPath, sample_container());
	{
		BFile file(fPath.c_str(), B_READ_WRITE);
		BResources resources(&file);
		ASSERT_EQ(resources.InitCheck(), B_OK);
		EXPECT_EQ(resources.AddResource(kTextType, 1, "ALPHA!", 6, "renamed"), B_OK);
		const void* beta = resources.LoadResource(kTextType, 2, NULL);
		EXPECT_EQ(resources.RemoveResource(beta), B_OK);
		EXPECT_EQ(resources.RemoveResource(beta), B_BAD_VALUE);
		EXPECT_EQ(resources.RemoveResource(kTextType, 2), B_BAD_VALUE);
		// Not synced: deleting the object writes the changes.
	}

	BFile file(fPath.c_str(), B_READ_ONLY);
	BResources resources(&file);
	ASSERT_EQ(resources.InitCheck(), B_OK);
	size_t size;
	const void* data = resources.LoadResource(kTextType, "renamed", &size);
	ASSERT_NE(data, nullptr);
	EXPECT_EQ(std::string(static_cast<const char*>(data), size), "ALPHA!");
	EXPECT_FALSE(resources.HasResource(kTextType, 2));
	EXPECT_TRUE(resources.HasResource(kIconType, 3));
}


TEST_F(ResourcesTest, AnExecutableKeepsItsImageAndStillRuns)
{
	Bytes program = read_bytes("/bin/true");
	ASSERT_FALSE(program.empty());
	write_bytes(fPath, program);
	ASSERT_EQ(chmod(fPath.c_str(), 0755), 0);

	{
		BFile file(fPath.c_str(), B_READ_WRITE);
		off_t extent = 0;
		ASSERT_EQ(BPrivate::get_executable_extent(file, &extent), B_OK);
		EXPECT_EQ(extent, (off_t)program.size());
		BResources resources(&file);
		ASSERT_EQ(resources.InitCheck(), B_OK);
		EXPECT_EQ(resources.GetResourceInfo(0, NULL, NULL, NULL, NULL), false);
		EXPECT_EQ(resources.AddResource(kTextType, 1, "hello", 5, "greeting"), B_OK);
		EXPECT_EQ(resources.Sync(), B_OK);
		// A second write replaces the first container rather than stacking another.
		EXPECT_EQ(resources.AddResource(kTextType, 2, "again", 5), B_OK);
		EXPECT_EQ(resources.Sync(), B_OK);
	}

	Bytes after = read_bytes(fPath);
	ASSERT_GT(after.size(), program.size());
	EXPECT_TRUE(std::equal(program.begin(), program.end(), after.begin()));
	EXPECT_EQ(after.size() - program.size(), 16 + 2 * 24 + 9 + 10 + 16u);
	// Running it needs every writable descriptor closed.
	EXPECT_EQ(system(("'" + fPath + "'").c_str()), 0);

	BFile file(fPath.c_str(), B_READ_WRITE);
	BResources reread(&file);
	EXPECT_TRUE(reread.HasResource(kTextType, "greeting"));
	EXPECT_TRUE(reread.HasResource(kTextType, 2));

	// Clobbering keeps the image and drops the resources.
	EXPECT_EQ(reread.SetTo(&file, true), B_OK);
	reread.Unset();
	after = read_bytes(fPath);
	EXPECT_EQ(after.size(), program.size() + 32);
	EXPECT_TRUE(std::equal(program.begin(), program.end(), after.begin()));
}


TEST_F(ResourcesTest, WriteToMovesResourcesIntoAnotherFile)
{
	write_bytes(fPath, sample_container());
	std::string otherPath = fScratch / "other";
	write_bytes(otherPath, read_bytes("/bin/true"));
	{
		BFile file(fPath.c_str(), B_READ_ONLY);
		BResources resources(&file);
		BFile other(otherPath.c_str(), B_READ_WRITE);
		EXPECT_EQ(resources.WriteTo(&other), B_OK);
		BFile readOnly(fPath.c_str(), B_READ_ONLY);
		EXPECT_EQ(resources.WriteTo(&readOnly), B_BAD_VALUE);
	}
	BFile other(otherPath.c_str(), B_READ_ONLY);
	BResources copied(&other);
	ASSERT_EQ(copied.InitCheck(), B_OK);
	EXPECT_TRUE(copied.HasResource(kTextType, "second"));
	EXPECT_TRUE(copied.HasResource(kIconType, 3));
}


TEST_F(ResourcesTest, FilesWithoutAContainerAreEmptyOrRejected)
{
	write_bytes(fPath, Bytes());
	BFile empty(fPath.c_str(), B_READ_ONLY);
	EXPECT_EQ(BResources(&empty).InitCheck(), B_OK);

	const char* text = "just some text, not resources\n";
	ExpectRejected(Bytes(text, text + strlen(text)));

	Bytes program = read_bytes("/bin/true");
	program.push_back('!');
	ExpectRejected(program);

	// Clobbering replaces whatever is there.
	{
		BFile file(fPath.c_str(), B_READ_WRITE);
		BResources resources(&file, true);
		ASSERT_EQ(resources.InitCheck(), B_OK);
		EXPECT_EQ(resources.AddResource(kTextType, 1, "x", 1), B_OK);
	}
	Bytes after = read_bytes(fPath);
	program.pop_back();
	EXPECT_EQ(after.size(), program.size() + 16 + 24 + 1 + 16);
	EXPECT_TRUE(std::equal(program.begin(), program.end(), after.begin()));

	BResources none;
	EXPECT_EQ(none.SetTo(NULL), B_BAD_VALUE);
	BFile unset;
	EXPECT_EQ(none.SetTo(&unset), B_NO_INIT);
}


TEST_F(ResourcesTest, CorruptContainersAreRejectedWithoutDamage)
{
	const Bytes good = sample_container();
	const size_t trailerAt = good.size() - 16;

	Bytes truncated(good.begin(), good.end() - 1);
	ExpectRejected(truncated);

	Bytes bigSize = good;
	bigSize[trailerAt] = (uint8)(good.size() + 1);
	ExpectRejected(bigSize);

	Bytes tinySize = good;
	put_uint32(tinySize, trailerAt, 31);
	ExpectRejected(tinySize);

	Bytes badMagic = good;
	badMagic[0] = 'X';
	ExpectRejected(badMagic);

	Bytes badVersion = good;
	put_uint32(badVersion, 4, 2);
	ExpectRejected(badVersion);

	Bytes countPastEnd = good;
	put_uint32(countPastEnd, kCountAt, 4);
	ExpectRejected(countPastEnd);
	put_uint32(countPastEnd, kCountAt, 0xffffffff);
	ExpectRejected(countPastEnd);

	// Entry 1's data reaching into the trailer, or starting inside the index.
	Bytes oversized = good;
	put_uint32(oversized, kFirstEntryAt + kEntrySize + 20, 200);
	ExpectRejected(oversized);
	Bytes inIndex = good;
	put_uint32(inIndex, kFirstEntryAt + kEntrySize + 16, kFirstEntryAt);
	ExpectRejected(inIndex);
	Bytes wrapping = good;
	put_uint32(wrapping, kFirstEntryAt + 16, 0xfffffff0);
	put_uint32(wrapping, kFirstEntryAt + 20, 0x20);
	ExpectRejected(wrapping);

	// Entry 1's data laid over entry 0's.
	Bytes overlapping = good;
	uint32 firstData = good[kFirstEntryAt + 16] | good[kFirstEntryAt + 17] << 8;
	put_uint32(overlapping, kFirstEntryAt + kEntrySize + 16, firstData + 2);
	ExpectRejected(overlapping);

	// A name without its NUL, a name offset of 0 with a length, a duplicate key.
	Bytes unterminated = good;
	put_uint32(unterminated, kFirstEntryAt + 12, 6);
	ExpectRejected(unterminated);
	Bytes phantomName = good;
	put_uint32(phantomName, kFirstEntryAt + 2 * kEntrySize + 12, 3);
	ExpectRejected(phantomName);
	Bytes duplicate = good;
	put_uint32(duplicate, kFirstEntryAt + kEntrySize + 4, 1);
	ExpectRejected(duplicate);

	// And the untouched container still reads.
	write_bytes(fPath, good);
	BFile file(fPath.c_str(), B_READ_ONLY);
	EXPECT_EQ(BResources(&file).InitCheck(), B_OK);
}


TEST_F(ResourcesTest, PartsOfResourcesReadAndWriteInPlace)
{
	BFile file(fPath.c_str(), B_READ_WRITE | B_CREATE_FILE);
	BResources resources(&file, true);
	ASSERT_EQ(resources.AddResource(kTextType, 1, "abcdef", 6, "letters"), B_OK);
	char part[4] = {};
	ASSERT_EQ(resources.ReadResource(kTextType, 1, part, 2, 3), B_OK);
	EXPECT_STREQ(part, "cde");
	EXPECT_EQ(resources.ReadResource(kTextType, 1, part, 100, 3), B_OK);

	ASSERT_EQ(resources.WriteResource(kTextType, 1, "XY", 4, 2), B_OK);
	ASSERT_EQ(resources.WriteResource(kTextType, 1, "Z", 8, 1), B_OK);
	size_t size;
	const char* data = (const char*)resources.LoadResource(kTextType, 1, &size);
	ASSERT_NE(data, nullptr);
	ASSERT_EQ(size, 9u);
	EXPECT_EQ(std::string(data, size), std::string("abcdXY\0\0Z", 9));
	EXPECT_TRUE(resources.HasResource(kTextType, "letters"));

	EXPECT_EQ(resources.ReadResource(kTextType, 2, part, 0, 1), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(resources.WriteResource(kTextType, 2, "x", 0, 1), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(resources.WriteResource(kTextType, 1, "x", -1, 1), B_BAD_VALUE);
	EXPECT_EQ(resources.PreloadResourceType(kTextType), B_OK);
}


TEST_F(ResourcesTest, MergeFromAddsAndReplaces)
{
	write_bytes(fPath, sample_container());
	std::string otherPath = fScratch / "other";
	BFile other(otherPath.c_str(), B_READ_WRITE | B_CREATE_FILE);
	BResources target(&other, true);
	ASSERT_EQ(target.AddResource(kIconType, 3, "old", 3), B_OK);
	ASSERT_EQ(target.AddResource(kTextType, 77, "mine", 4), B_OK);
	BFile source(fPath.c_str(), B_READ_ONLY);
	ASSERT_EQ(target.MergeFrom(&source), B_OK);
	EXPECT_TRUE(target.HasResource(kTextType, "second"));
	EXPECT_TRUE(target.HasResource(kTextType, 77));
	size_t size;
	target.LoadResource(kIconType, 3, &size);
	EXPECT_NE(size, 3u);
	EXPECT_EQ(target.MergeFrom(NULL), B_BAD_VALUE);
}

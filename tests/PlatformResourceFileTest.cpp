// The reader of the platform's own resource files: both byte orders, names and ids, the
// numbers of version and flag records, and every way a damaged file is refused whole.
#include "PlatformResourceFile.h"

#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "PlatformResourceFileBuilder.h"

namespace {

using Resource = PlatformResource;
using FileBuilder = PlatformResourceFileBuilder;

const std::vector<Resource> kResources = {
	{ 'PICT', 13, "picture", { 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0 } },
	{ 'MIMS', 1, "BEOS:APP_SIG", { 'a', '/', 'b', 0 } },
	{ 'MICN', 1, "center", std::vector<uint8>(256, 0x3f) },
	{ 'LONG', -2, "", {} },
};


void
Overwrite(std::vector<uint8>* bytes, size_t offset, uint32 value, bool bigEndian)
{
	for (int i = 0; i < 4; i++)
		(*bytes)[offset + i] = (uint8)(value >> (bigEndian ? 24 - 8 * i : 8 * i));
}

} // namespace


TEST(PlatformResourceFileTest, ReadsBothByteOrders)
{
	for (bool bigEndian : { false, true }) {
		SCOPED_TRACE(bigEndian ? "PowerPC" : "x86");
		std::vector<uint8> bytes = FileBuilder(bigEndian).Build(kResources);
		ASSERT_TRUE(is_platform_resource_file(bytes.data(), bytes.size()));
		std::vector<CompiledResource> read;
		std::string error;
		ASSERT_TRUE(read_platform_resources(bytes.data(), bytes.size(), &read, &error))
			<< error;
		ASSERT_EQ(read.size(), kResources.size());
		for (size_t i = 0; i < read.size(); i++) {
			EXPECT_EQ(read[i].type, kResources[i].type) << i;
			EXPECT_EQ(read[i].id, kResources[i].id) << i;
			EXPECT_EQ(read[i].name, kResources[i].name) << i;
			EXPECT_EQ(read[i].data, kResources[i].data) << i;
		}
	}

	// The two bytes after an x86 file's "RS" may hold anything, and the header's count of
	// resources may be stale: the names list what the file holds.
	FileBuilder x86(false);
	std::vector<uint8> bytes = x86.Build(kResources);
	bytes[2] = 'y';
	bytes[3] = '!';
	Overwrite(&bytes, x86.Offset(4), 3, false);
	std::vector<CompiledResource> read;
	std::string error;
	EXPECT_TRUE(read_platform_resources(bytes.data(), bytes.size(), &read, &error)) << error;
	EXPECT_EQ(read.size(), kResources.size());

	// The kit's containers and other files are not taken for one.
	const char container[] = "QRSC\1\0\0\0";
	EXPECT_FALSE(is_platform_resource_file((const uint8*)container, sizeof(container)));
	EXPECT_FALSE(is_platform_resource_file(NULL, 0));
}


TEST(PlatformResourceFileTest, NumbersOfFlagsAndVersionsComeInThisMachinesOrder)
{
	std::vector<uint8> version(2 * 340, 0);
	version[3] = 2;		// major 2, big-endian
	version[19] = 7;	// internal 7
	memcpy(version.data() + 20, "2.0", 4);
	std::vector<uint8> bytes = FileBuilder(true).Build({
		{ 'APPF', 1, "BEOS:APP_FLAGS", { 0, 0, 0, 5 } },
		{ 'APPV', 1, "BEOS:APP_VERSION", version } });
	std::vector<CompiledResource> read;
	std::string error;
	ASSERT_TRUE(read_platform_resources(bytes.data(), bytes.size(), &read, &error)) << error;
	ASSERT_EQ(read.size(), 2u);
	uint32 flags;
	memcpy(&flags, read[0].data.data(), 4);
	EXPECT_EQ(flags, 5u);
	uint32 major, internal;
	memcpy(&major, read[1].data.data(), 4);
	memcpy(&internal, read[1].data.data() + 16, 4);
	EXPECT_EQ(major, 2u);
	EXPECT_EQ(internal, 7u);
	EXPECT_STREQ((const char*)read[1].data.data() + 20, "2.0");
}


TEST(PlatformResourceFileTest, DamagedFilesAreRefusedWhole)
{
	FileBuilder builder(false);
	const std::vector<uint8> good = builder.Build(kResources);
	struct Damage {
		const char* what;
		size_t offset;
		uint32 value;
	};
	const Damage damages[] = {
		{ "magic", builder.Offset(0), 0x12345678 },
		{ "table offset", builder.Offset(8), 0xfffffff0 },
		{ "table size", builder.EntryOffset(0) + 4, 0x7fffffff },
		{ "names outside", builder.EntryOffset(10), 0xffffff00 },
		{ "names size", builder.EntryOffset(10) + 4, 0x01000000 },
		{ "data outside", builder.EntryOffset(12), 0x7fffffff },
		{ "data size", builder.EntryOffset(13) + 4, 0xffffffff },
	};
	for (const Damage& damage : damages) {
		std::vector<uint8> bytes = good;
		Overwrite(&bytes, damage.offset, damage.value, false);
		std::vector<CompiledResource> read(1);
		std::string error;
		EXPECT_FALSE(read_platform_resources(bytes.data(), bytes.size(), &read, &error))
			<< damage.what;
		EXPECT_TRUE(read.empty()) << damage.what;
		EXPECT_FALSE(error.empty()) << damage.what;
	}

	// Cut anywhere, the file is refused, never read past its end.
	for (size_t size = 0; size < good.size(); size += 7) {
		std::vector<uint8> bytes(good.begin(), good.begin() + size);
		std::vector<CompiledResource> read;
		std::string error;
		EXPECT_FALSE(read_platform_resources(bytes.data(), bytes.size(), &read, &error))
			<< size;
	}

	// Two resources of one type and id, or one index named twice.
	std::vector<Resource> twice = kResources;
	twice[1].type = 'PICT';
	twice[1].id = 13;
	std::vector<uint8> bytes = FileBuilder(false).Build(twice);
	std::vector<CompiledResource> read;
	std::string error;
	EXPECT_FALSE(read_platform_resources(bytes.data(), bytes.size(), &read, &error));
	EXPECT_NE(error.find("type and an id"), std::string::npos) << error;

	// A name without its NUL.
	bytes = good;
	size_t name = std::string((const char*)bytes.data(), bytes.size()).find("picture");
	ASSERT_NE(name, std::string::npos);
	bytes[name + 7] = 'X';
	EXPECT_FALSE(read_platform_resources(bytes.data(), bytes.size(), &read, &error));
}

#include "PrefilledBitmap.h"

#include <File.h>
#include <TypeConstants.h>

#include <gtest/gtest.h>

#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <atomic>
#include <new>
#include <string>

// Counts the deletions of objects of one size, to see what a destructor deletes. Every
// allocation and deletion in the process passes here, on malloc and free.
namespace {

std::atomic<size_t> stWatchedSize{0};
std::atomic<int> stWatchedDeletions{0};

void
note_deletion(size_t size)
{
	if (size != 0 && size == stWatchedSize.load())
		stWatchedDeletions++;
}

} // namespace

void*
operator new(size_t size)
{
	void* pointer = malloc(size > 0 ? size : 1);
	if (pointer == NULL)
		throw std::bad_alloc();
	return pointer;
}


void*
operator new(size_t size, const std::nothrow_t&) noexcept
{
	return malloc(size > 0 ? size : 1);
}


void*
operator new[](size_t size)
{
	return operator new(size);
}


void*
operator new[](size_t size, const std::nothrow_t&) noexcept
{
	return malloc(size > 0 ? size : 1);
}


void
operator delete(void* pointer) noexcept
{
	free(pointer);
}


void
operator delete(void* pointer, size_t size) noexcept
{
	note_deletion(size);
	free(pointer);
}


void
operator delete(void* pointer, const std::nothrow_t&) noexcept
{
	free(pointer);
}


void
operator delete[](void* pointer) noexcept
{
	free(pointer);
}


void
operator delete[](void* pointer, size_t) noexcept
{
	free(pointer);
}


void
operator delete[](void* pointer, const std::nothrow_t&) noexcept
{
	free(pointer);
}


namespace {

const type_code kIconType = B_MESSAGE_TYPE;

std::string
own_executable()
{
	char path[PATH_MAX];
	ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
	return length > 0 ? std::string(path, length) : std::string();
}


void
expect_mask(const PrefilledBitmap& bitmap, int32 which, uint8 fill)
{
	SCOPED_TRACE(which);
	const BBitmap* mask = bitmap.GetMask(which);
	ASSERT_NE(mask, nullptr);
	EXPECT_EQ(mask->Bounds(), bitmap.Bounds());
	EXPECT_EQ(mask->ColorSpace(), bitmap.ColorSpace());
	ASSERT_EQ(mask->BitsLength(), bitmap.BitsLength());
	const uint8* source = static_cast<const uint8*>(bitmap.Bits());
	const uint8* pixels = static_cast<const uint8*>(mask->Bits());
	for (int32 i = 0; i < bitmap.BitsLength(); i++) {
		uint8 expected = source[i] == B_TRANSPARENT_8_BIT ? B_TRANSPARENT_8_BIT : fill;
		ASSERT_EQ(pixels[i], expected) << "pixel " << i;
	}
}



// This test executable carries the program's resources; so does the program itself once
// it is built.
void
check_icons(const std::string& path)
{
	SCOPED_TRACE(path);
	BFile file(path.c_str(), B_READ_ONLY);
	ASSERT_EQ(file.InitCheck(), B_OK);
	for (int32 id = 19; id <= 21; id++) {
		SCOPED_TRACE(id);
		PrefilledBitmap* icon = LoadBitmapFromResource(file, id, kIconType);
		ASSERT_NE(icon, nullptr);
		ASSERT_EQ(icon->InitCheck(), B_OK);
		EXPECT_EQ(icon->Bounds(), BRect(0, 0, 15, 15));
		EXPECT_EQ(icon->ColorSpace(), B_CMAP8);
		EXPECT_EQ(icon->BytesPerRow(), 16);
		ASSERT_EQ(icon->BitsLength(), 256);

		// A real icon: a transparent background around something drawn.
		const uint8* pixels = static_cast<const uint8*>(icon->Bits());
		int32 transparent = 0;
		for (int32 i = 0; i < 256; i++)
			transparent += pixels[i] == B_TRANSPARENT_8_BIT;
		EXPECT_GT(transparent, 0);
		EXPECT_LT(transparent, 128);
		EXPECT_EQ(pixels[0] == B_TRANSPARENT_8_BIT || pixels[255] == B_TRANSPARENT_8_BIT,
			true);

		expect_mask(*icon, 1, 1);
		expect_mask(*icon, 2, 42);
		expect_mask(*icon, 3, 52);
		EXPECT_EQ(icon->GetMask(4), nullptr);
		delete icon;
	}
}

} // namespace


TEST(PrefilledBitmapTest, IconsLoadFromTheExecutableWithTheirMasks)
{
	check_icons(own_executable());
	std::string program = std::string(QV_BIN_DIR) + "/Quorvane";
	if (access(program.c_str(), R_OK) == 0)
		check_icons(program);
}


TEST(PrefilledBitmapTest, MissingResourcesGiveNull)
{
	BFile file(own_executable().c_str(), B_READ_ONLY);
	EXPECT_EQ(LoadBitmapFromResource(file, 22, kIconType), nullptr);
	EXPECT_EQ(LoadBitmapFromResource(file, 19, 'ICON'), nullptr);

	BFile unopened;
	EXPECT_EQ(LoadBitmapFromResource(unopened, 19, kIconType), nullptr);
}


TEST(PrefilledBitmapTest, DataConstructorCopiesPaddedRows)
{
	uint8 data[16 * 16];
	for (int32 i = 0; i < 256; i++)
		data[i] = i % 3 == 0 ? B_TRANSPARENT_8_BIT : (uint8)(i / 3);
	PrefilledBitmap bitmap(BRect(0, 0, 15, 15), B_CMAP8, data, false, false, true);
	ASSERT_EQ(bitmap.InitCheck(), B_OK);
	ASSERT_EQ(bitmap.BitsLength(), 256);
	EXPECT_EQ(memcmp(bitmap.Bits(), data, sizeof(data)), 0);
	expect_mask(bitmap, 2, 42);

	PrefilledBitmap plain(BRect(0, 0, 15, 15), B_CMAP8, data);
	EXPECT_EQ(plain.GetMask(1), nullptr);
	EXPECT_EQ(plain.GetMask(2), nullptr);
	EXPECT_EQ(plain.GetMask(3), nullptr);
}


TEST(PrefilledBitmapTest, DestructorDeletesItsMasksAndNothingElse)
{
	uint8 data[16 * 16];
	memset(data, 7, sizeof(data));

	stWatchedSize = sizeof(BBitmap);
	static_assert(sizeof(BBitmap) != sizeof(PrefilledBitmap));

	PrefilledBitmap* withoutMasks = new PrefilledBitmap(BRect(0, 0, 15, 15), B_CMAP8, data);
	stWatchedDeletions = 0;
	delete withoutMasks;
	EXPECT_EQ(stWatchedDeletions.load(), 0);

	PrefilledBitmap* withMasks = new PrefilledBitmap(BRect(0, 0, 15, 15), B_CMAP8, data,
		false, false, true);
	stWatchedDeletions = 0;
	delete withMasks;
	EXPECT_EQ(stWatchedDeletions.load(), 3);
	stWatchedSize = 0;
}

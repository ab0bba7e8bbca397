// What a program that drives the card itself finds on the kit: no graphics devices, the
// platform's control codes refused by Linux's drivers, and no bitmaps of the video spaces.
#include <gtest/gtest.h>

#include <Accelerant.h>
#include <Bitmap.h>
#include <graphic_driver.h>

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include "ScratchDirectory.h"


TEST(GraphicDriver, ThereAreNoGraphicsDevices)
{
	errno = 0;
	EXPECT_LT(open("/dev/graphics", O_RDONLY), 0);
	EXPECT_EQ(errno, ENOENT);
}


TEST(GraphicDriver, LinuxRefusesTheSignatureCode)
{
	ScratchDirectory scratch("graphic-driver");
	ASSERT_TRUE(scratch.WriteFile("card", "not a card"));
	int fd = open((scratch / "card").c_str(), O_RDWR);
	ASSERT_GE(fd, 0);
	char signature[B_OS_NAME_LENGTH] = "unchanged";
	errno = 0;
	EXPECT_EQ(ioctl(fd, B_GET_ACCELERANT_SIGNATURE, signature, sizeof(signature)), -1);
	EXPECT_EQ(errno, ENOTTY);
	EXPECT_STREQ(signature, "unchanged");
	close(fd);
}


TEST(GraphicDriver, VideoSpacesAreDeclaredButNotBitmaps)
{
	EXPECT_EQ(B_YCbCr422, 0x4000);
	EXPECT_EQ(B_YUV12, 0x402D);
	BBitmap bitmap(BRect(0, 0, 15, 15), B_YCbCr422);
	EXPECT_NE(bitmap.InitCheck(), B_OK);
	EXPECT_FALSE(bitmaps_support_space(B_YUV9, NULL));
	size_t chunk;
	EXPECT_EQ(get_pixel_size_for(B_YUV422, &chunk, NULL, NULL), B_BAD_VALUE);
}

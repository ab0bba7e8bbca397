// BNodeInfo: a node's type, preferred application, application hint and icons, kept in
// its attributes.
#include <Bitmap.h>
#include <Entry.h>
#include <Node.h>
#include <MimeType.h>
#include <NodeInfo.h>
#include <Path.h>

#include <gtest/gtest.h>

#include <string.h>
#include <sys/xattr.h>

#include <string>

#include "IconPattern.h"
#include "ScratchDirectory.h"
#include "ScratchMimeDatabase.h"

namespace {

class NodeInfoTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		ASSERT_TRUE(fScratch.WriteFile("file", "contents"));
		fPath = fScratch / "file";
		if (!fScratch.KeepsUserAttributes())
			GTEST_SKIP() << "no user extended attributes on " << fPath;
		ASSERT_EQ(fNode.SetTo(fPath.c_str()), B_OK);
		ASSERT_EQ(fInfo.SetTo(&fNode), B_OK);
	}

	ScratchDirectory fScratch{"node-info"};
	std::string fPath;
	BNode fNode;
	BNodeInfo fInfo;
};


} // namespace


TEST_F(NodeInfoTest, TypeAndPreferredAppRoundTrip)
{
	char type[B_MIME_TYPE_LENGTH];
	EXPECT_EQ(fInfo.GetType(type), B_ENTRY_NOT_FOUND);
	ASSERT_EQ(fInfo.SetType("text/plain"), B_OK);
	ASSERT_EQ(fInfo.GetType(type), B_OK);
	EXPECT_STREQ(type, "text/plain");
	// The platform's attribute, readable by any tool that knows it.
	char raw[32];
	EXPECT_EQ(getxattr(fPath.c_str(), "user.BEOS:TYPE", raw, sizeof(raw)), 4 + 11);

	EXPECT_EQ(fInfo.SetType("not a type"), B_BAD_VALUE);
	ASSERT_EQ(fInfo.SetType(NULL), B_OK);
	EXPECT_EQ(fInfo.GetType(type), B_ENTRY_NOT_FOUND);

	char signature[B_MIME_TYPE_LENGTH];
	ASSERT_EQ(fInfo.SetPreferredApp("application/x-vnd.test-editor"), B_OK);
	ASSERT_EQ(fInfo.GetPreferredApp(signature), B_OK);
	EXPECT_STREQ(signature, "application/x-vnd.test-editor");
}


TEST_F(NodeInfoTest, AppHintNamesTheApplication)
{
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path(fPath.c_str(), &ref), B_OK);
	ASSERT_EQ(fInfo.SetAppHint(&ref), B_OK);
	entry_ref hint;
	ASSERT_EQ(fInfo.GetAppHint(&hint), B_OK);
	EXPECT_EQ(hint, ref);
}


TEST_F(NodeInfoTest, IconsRoundTripInBothSizes)
{
	BBitmap large(BRect(0, 0, 31, 31), B_CMAP8);
	fill_icon_pattern(large);
	ASSERT_EQ(fInfo.SetIcon(&large, B_LARGE_ICON), B_OK);
	BBitmap read(BRect(0, 0, 31, 31), B_CMAP8);
	ASSERT_EQ(fInfo.GetIcon(&read, B_LARGE_ICON), B_OK);
	for (int32 y = 0; y < 32; y++) {
		EXPECT_EQ(memcmp((uint8*)read.Bits() + y * read.BytesPerRow(),
			(uint8*)large.Bits() + y * large.BytesPerRow(), 32), 0) << y;
	}

	BBitmap mini(BRect(0, 0, 15, 15), B_CMAP8);
	fill_icon_pattern(mini);
	ASSERT_EQ(fInfo.SetIcon(&mini, B_MINI_ICON), B_OK);
	attr_info info;
	ASSERT_EQ(fNode.GetAttrInfo("BEOS:M:STD_ICON", &info), B_OK);
	EXPECT_EQ(info.type, (uint32)B_MINI_ICON_TYPE);
	EXPECT_EQ(info.size, 256);

	// Sizes must match, and a removed icon is gone.
	EXPECT_EQ(fInfo.SetIcon(&mini, B_LARGE_ICON), B_BAD_VALUE);
	EXPECT_EQ(fInfo.GetIcon(&large, B_MINI_ICON), B_BAD_VALUE);
	ASSERT_EQ(fInfo.SetIcon(NULL, B_LARGE_ICON), B_OK);
	EXPECT_EQ(fInfo.GetIcon(&read, B_LARGE_ICON), B_ENTRY_NOT_FOUND);
}


TEST_F(NodeInfoTest, DamagedAttributesAreRefused)
{
	// A type without its terminating NUL, and an icon of the wrong size.
	ASSERT_EQ(fNode.WriteAttr("BEOS:TYPE", B_MIME_STRING_TYPE, 0, "text/plain", 10), 10);
	char type[B_MIME_TYPE_LENGTH];
	EXPECT_EQ(fInfo.GetType(type), B_BAD_DATA);
	ASSERT_EQ(fNode.WriteAttr("BEOS:L:STD_ICON", B_LARGE_ICON_TYPE, 0, "tiny", 4), 4);
	BBitmap icon(BRect(0, 0, 31, 31), B_CMAP8);
	EXPECT_EQ(fInfo.GetIcon(&icon), B_BAD_DATA);

	BNodeInfo unset;
	EXPECT_EQ(unset.GetType(type), B_NO_INIT);
	BNode missing((fScratch / "missing").c_str());
	EXPECT_NE(unset.SetTo(&missing), B_OK);
}


TEST_F(NodeInfoTest, TrackerIconFallsBackFromTheNodeToItsTypeToItsKind)
{
	ScratchMimeDatabase database("node-info-mime");
	BBitmap read(BRect(0, 0, 31, 31), B_CMAP8);
	BBitmap generic(BRect(0, 0, 31, 31), B_CMAP8);
	// Nothing installed: the kit's own picture of a file, with see-through corners.
	ASSERT_EQ(fInfo.GetTrackerIcon(&generic, B_LARGE_ICON), B_OK);
	EXPECT_EQ(static_cast<uint8*>(generic.Bits())[0], B_TRANSPARENT_MAGIC_CMAP8);

	BBitmap supertypeIcon(BRect(0, 0, 31, 31), B_CMAP8);
	fill_icon_pattern(supertypeIcon, 1);
	ASSERT_EQ(BMimeType("text").SetIcon(&supertypeIcon, B_LARGE_ICON), B_OK);
	ASSERT_EQ(fInfo.SetType("text/x-tracked"), B_OK);
	ASSERT_EQ(fInfo.GetTrackerIcon(&read, B_LARGE_ICON), B_OK);
	EXPECT_TRUE(same_icon_pixels(read, supertypeIcon));

	BBitmap typeIcon(BRect(0, 0, 31, 31), B_CMAP8);
	fill_icon_pattern(typeIcon, 2);
	ASSERT_EQ(BMimeType("text/x-tracked").SetIcon(&typeIcon, B_LARGE_ICON), B_OK);
	ASSERT_EQ(fInfo.GetTrackerIcon(&read, B_LARGE_ICON), B_OK);
	EXPECT_TRUE(same_icon_pixels(read, typeIcon));

	// The preferred application's icon for the type comes before the type's own.
	BBitmap appIcon(BRect(0, 0, 31, 31), B_CMAP8);
	fill_icon_pattern(appIcon, 3);
	ASSERT_EQ(BMimeType("application/x-vnd.test-tracker").SetIconForType("text/x-tracked",
		&appIcon, B_LARGE_ICON), B_OK);
	ASSERT_EQ(fInfo.SetPreferredApp("application/x-vnd.test-tracker"), B_OK);
	ASSERT_EQ(fInfo.GetTrackerIcon(&read, B_LARGE_ICON), B_OK);
	EXPECT_TRUE(same_icon_pixels(read, appIcon));

	BBitmap own(BRect(0, 0, 31, 31), B_CMAP8);
	fill_icon_pattern(own, 4);
	ASSERT_EQ(fInfo.SetIcon(&own, B_LARGE_ICON), B_OK);
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path(fPath.c_str(), &ref), B_OK);
	ASSERT_EQ(BNodeInfo::GetTrackerIcon(&ref, &read, B_LARGE_ICON), B_OK);
	EXPECT_TRUE(same_icon_pixels(read, own));

	// A folder's differs from a file's.
	BNode folder(fScratch.Path().c_str());
	BNodeInfo folderInfo(&folder);
	ASSERT_EQ(folderInfo.GetTrackerIcon(&read, B_LARGE_ICON), B_OK);
	EXPECT_FALSE(same_icon_pixels(read, generic));
	BBitmap mini(BRect(0, 0, 15, 15), B_CMAP8);
	ASSERT_EQ(folderInfo.GetTrackerIcon(&mini, B_MINI_ICON), B_OK);
	EXPECT_EQ(folderInfo.GetTrackerIcon(&mini, B_LARGE_ICON), B_BAD_VALUE);
	entry_ref missing;
	ASSERT_EQ(get_ref_for_path((fScratch / "missing").c_str(), &missing), B_OK);
	EXPECT_EQ(BNodeInfo::GetTrackerIcon(&missing, &read, B_LARGE_ICON), B_ENTRY_NOT_FOUND);
}

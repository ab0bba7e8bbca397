// Pictures: recording a view's drawing instead of showing it, replaying it at an offset in
// a window on the offscreen display, archive and flatten round trips, and flattened input
// that is not a picture.
#include <Bitmap.h>
#include <DataIO.h>
#include <Message.h>
#include <Picture.h>
#include <View.h>
#include <Window.h>

#include "interface/PictureData.h"

#include "OffscreenWindowTest.h"

#include <gtest/gtest.h>

#include <endian.h>
#include <string.h>

#include <vector>

using BPrivate::PictureData;

namespace {

const rgb_color kRed = { 255, 0, 0, 255 };
const rgb_color kBlue = { 0, 0, 255, 255 };
const rgb_color kGreen = { 0, 255, 0, 255 };
const rgb_color kWhite = { 255, 255, 255, 255 };


// Draws its picture, when it has one, at fWhere.
class Canvas : public BView {
public:
	Canvas() : BView(BRect(0, 0, 199, 149), "canvas", B_FOLLOW_ALL, B_WILL_DRAW) {}
	~Canvas() override { delete fPicture; }

	void Draw(BRect) override
	{
		if (fPicture != NULL) {
			SetHighColor(kGreen);
			DrawPicture(fPicture, fWhere);
			fHighAfter = HighColor();
		}
	}

	BPicture* fPicture = NULL;
	BPoint fWhere;
	rgb_color fHighAfter = {};
};


// Records a red square (0, 0)-(9, 9), a blue line along y = 20 and a word.
BPicture*
record_sample(BView* view)
{
	view->BeginPicture(new BPicture);
	view->SetHighColor(kRed);
	view->FillRect(BRect(0, 0, 9, 9));
	view->SetHighColor(kBlue);
	view->StrokeLine(BPoint(0, 20), BPoint(30, 20));
	view->DrawString("Hi", BPoint(0, 40));
	return view->EndPicture();
}


std::vector<uint8>
flatten(BPicture& picture)
{
	BMallocIO io;
	EXPECT_EQ(picture.Flatten(&io), B_OK);
	const uint8* bytes = (const uint8*)io.Buffer();
	return std::vector<uint8>(bytes, bytes + io.BufferLength());
}


status_t
unflatten(BPicture& picture, const std::vector<uint8>& bytes)
{
	BMemoryIO io(bytes.data(), bytes.size());
	return picture.Unflatten(&io);
}


void
put32(std::vector<uint8>& bytes, size_t offset, uint32 value)
{
	value = htole32(value);
	memcpy(bytes.data() + offset, &value, sizeof(value));
}


class PictureTest : public OffscreenWindowTest<BWindow> {
protected:
	void Open(const char* title)
	{
		fWindow = new BWindow(BRect(100, 100, 299, 249), title, B_TITLED_WINDOW, 0);
		fCanvas = new Canvas;
		fWindow->AddChild(fCanvas);
		ShowWindow();
	}

	// Waits until the window shows colour at (x, y).
	bool Shows(int32 x, int32 y, rgb_color color)
	{
		return wait_until(fWindow, [&] { return fOffscreen->PixelAt(x, y) == color; });
	}

	Canvas* fCanvas = nullptr;
};

} // namespace


TEST_F(PictureTest, RecordingDrawsNothingAndReplayDrawsAtTheOffset)
{
	Open("Picture replay");
	ASSERT_TRUE(Shows(5, 5, kWhite));
	wait_until(fWindow, [&] {
		fCanvas->fPicture = record_sample(fCanvas);
		fCanvas->Flush();
		// The view's state moved on while recording, as drawing would have moved it.
		EXPECT_EQ(fCanvas->HighColor(), kBlue);
		return true;
	});
	snooze(100000);
	EXPECT_EQ(fOffscreen->PixelAt(5, 5), kWhite);

	wait_until(fWindow, [&] {
		fCanvas->fWhere = BPoint(50, 60);
		fCanvas->Invalidate();
		return true;
	});
	EXPECT_TRUE(Shows(55, 65, kRed));
	EXPECT_TRUE(Shows(70, 80, kBlue));
	EXPECT_EQ(fOffscreen->PixelAt(5, 5), kWhite);
	EXPECT_EQ(fOffscreen->PixelAt(61, 65), kWhite);
	wait_until(fWindow, [&] {
		// The picture's colours stayed inside it.
		EXPECT_EQ(fCanvas->fHighAfter, kGreen);
		return true;
	});
}


TEST_F(PictureTest, AppendingKeepsWhatThePictureHeldAndPicturesNest)
{
	Open("Picture append");
	wait_until(fWindow, [&] {
		BPicture* inner = record_sample(fCanvas);
		BPicture* outer = new BPicture;
		fCanvas->BeginPicture(outer);
		fCanvas->SetHighColor(kGreen);
		fCanvas->FillRect(BRect(100, 0, 109, 9));
		fCanvas->EndPicture();
		fCanvas->AppendToPicture(outer);
		fCanvas->DrawPicture(inner, BPoint(0, 100));
		EXPECT_EQ(fCanvas->EndPicture(), outer);
		EXPECT_EQ(fCanvas->EndPicture(), nullptr);
		delete inner;
		fCanvas->fPicture = outer;
		fCanvas->Invalidate();
		return true;
	});
	EXPECT_TRUE(Shows(105, 5, kGreen));
	EXPECT_TRUE(Shows(5, 105, kRed));
}


TEST_F(PictureTest, BitmapsAreRecordedByValue)
{
	Open("Picture bitmap");
	wait_until(fWindow, [&] {
		BBitmap* bitmap = new BBitmap(BRect(0, 0, 7, 7), B_RGB32);
		std::vector<uint32> pixels(64, 0xff00ff00);
		bitmap->SetBits(pixels.data(), 64 * 4, 0, B_RGB32);
		fCanvas->BeginPicture(new BPicture);
		fCanvas->DrawBitmap(bitmap, BPoint(2, 2));
		fCanvas->fPicture = fCanvas->EndPicture();
		// The picture keeps its own copy.
		delete bitmap;
		fCanvas->fWhere = BPoint(20, 20);
		fCanvas->Invalidate();
		return true;
	});
	EXPECT_TRUE(Shows(25, 25, kGreen));
	EXPECT_EQ(fOffscreen->PixelAt(21, 21), kWhite);
}


TEST_F(PictureTest, ArchiveAndFlattenRoundTrip)
{
	Open("Picture round trip");
	BPicture* picture = NULL;
	wait_until(fWindow, [&] { picture = record_sample(fCanvas); return true; });
	ASSERT_NE(picture, nullptr);
	std::vector<uint8> flat = flatten(*picture);
	EXPECT_EQ(BPrivate::PictureData::kHeaderSize, 16u);
	EXPECT_GT(flat.size(), 16u);

	BMessage archive;
	ASSERT_EQ(picture->Archive(&archive), B_OK);
	EXPECT_STREQ(archive.FindString("class"), "BPicture");
	BArchivable* instance = BPicture::Instantiate(&archive);
	BPicture* restored = dynamic_cast<BPicture*>(instance);
	ASSERT_NE(restored, nullptr);
	EXPECT_EQ(flatten(*restored), flat);
	BMessage notPicture;
	notPicture.AddString("class", "BBitmap");
	EXPECT_EQ(BPicture::Instantiate(&notPicture), nullptr);

	BPicture unflattened;
	ASSERT_EQ(unflatten(unflattened, flat), B_OK);
	EXPECT_EQ(flatten(unflattened), flat);
	BPicture copy(unflattened);
	EXPECT_EQ(flatten(copy), flat);
	delete picture;

	// The copy draws what the original drew.
	wait_until(fWindow, [&] {
		fCanvas->fPicture = restored;
		fCanvas->fWhere = BPoint(10, 10);
		fCanvas->Invalidate();
		return true;
	});
	EXPECT_TRUE(Shows(15, 15, kRed));
}


TEST_F(PictureTest, FlattenedInputThatIsNotAPictureIsRefused)
{
	BView view(BRect(0, 0, 99, 99), "recorder", B_FOLLOW_NONE, 0);
	BPicture* sample = record_sample(&view);
	std::vector<uint8> good = flatten(*sample);
	delete sample;

	BPicture picture;
	ASSERT_EQ(unflatten(picture, good), B_OK);
	auto refused = [&](std::vector<uint8> bytes) {
		status_t status = unflatten(picture, bytes);
		// A refusal leaves the picture as it was.
		EXPECT_EQ(flatten(picture), good);
		return status == B_BAD_DATA;
	};

	EXPECT_TRUE(refused({}));
	EXPECT_TRUE(refused(std::vector<uint8>(good.begin(), good.begin() + 10)));
	EXPECT_TRUE(refused(std::vector<uint8>(good.begin(), good.end() - 1)));
	std::vector<uint8> bytes = good;
	bytes[0] ^= 0xff;
	EXPECT_TRUE(refused(bytes));
	bytes = good;
	put32(bytes, 4, 2);
	EXPECT_TRUE(refused(bytes));
	// More ops announced than there are, and a length past the cap.
	bytes = good;
	put32(bytes, 8, 4);
	EXPECT_TRUE(refused(bytes));
	bytes = good;
	put32(bytes, 12, PictureData::kMaxSize + 1);
	EXPECT_TRUE(refused(bytes));
	// The first op's payload claims more than is left, then an unknown op code.
	bytes = good;
	put32(bytes, 16 + 4, 0x7fffffff);
	EXPECT_TRUE(refused(bytes));
	bytes = good;
	bytes[16] = 0x63;
	EXPECT_TRUE(refused(bytes));
	// A drawing mode outside the kit's.
	bytes = good;
	bytes[16 + 8 + 12] = 200;
	EXPECT_TRUE(refused(bytes));
	// Bytes after the last op.
	bytes = good;
	bytes.push_back(0);
	put32(bytes, 12, good.size() - 16 + 1);
	EXPECT_TRUE(refused(bytes));

	// A polygon whose point count runs past its op.
	BPicture polygon;
	view.BeginPicture(&polygon);
	BPoint points[3] = { BPoint(0, 0), BPoint(5, 0), BPoint(0, 5) };
	view.FillPolygon(points, 3);
	view.EndPicture();
	bytes = flatten(polygon);
	put32(bytes, 16 + 8 + 24, 4);
	EXPECT_EQ(unflatten(picture, bytes), B_BAD_DATA);
	put32(bytes, 16 + 8 + 24, 3);
	EXPECT_EQ(unflatten(picture, bytes), B_OK);
}

// The drawing primitives in a window of this process on a real X server (a private Xvfb),
// looked at through the server's root window: each primitive in its own colour at its
// place. The screen is saved under the build directory as Drawing-primitives.png.
#include <Polygon.h>
#include <Region.h>
#include <Shape.h>
#include <View.h>
#include <Window.h>

#include "WaitFor.h"
#include "XvfbScreen.h"
#include "XvfbServer.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>

namespace {

const rgb_color kRed = { 220, 30, 30, 255 };
const rgb_color kGreen = { 30, 160, 60, 255 };
const rgb_color kBlue = { 40, 70, 210, 255 };
const rgb_color kOrange = { 240, 150, 20, 255 };
const rgb_color kPurple = { 140, 40, 160, 255 };
const BRect kFrame(40, 40, 439, 239);


uint32
PixelOf(rgb_color color)
{
	return (uint32)color.red << 16 | (uint32)color.green << 8 | color.blue;
}


// Each primitive in a cell of 100 x 100 pixels, from the top left across.
class PrimitivesView : public BView {
public:
	PrimitivesView(BRect frame)
		:
		BView(frame, "primitives", B_FOLLOW_ALL, B_WILL_DRAW)
	{
	}

	void Draw(BRect updateRect) override
	{
		SetHighColor(kRed);
		FillArc(BRect(10, 10, 89, 89), 30, 270);
		SetHighColor(0, 0, 0);
		StrokeArc(BRect(10, 10, 89, 89), 300, 60);

		SetHighColor(kGreen);
		FillRoundRect(BRect(110, 10, 189, 89), 15, 15);
		SetHighColor(0, 0, 0);
		SetPenSize(3);
		StrokeRoundRect(BRect(110, 10, 189, 89), 15, 15);
		SetPenSize(1);

		SetHighColor(kBlue);
		BPoint curve[4] = { BPoint(210, 89), BPoint(220, 0), BPoint(280, 0),
			BPoint(289, 89) };
		FillBezier(curve);

		BShape star;
		star.MoveTo(BPoint(350, 10));
		star.LineTo(BPoint(362, 40));
		star.LineTo(BPoint(390, 40));
		star.LineTo(BPoint(368, 58));
		star.LineTo(BPoint(378, 89));
		star.LineTo(BPoint(350, 70));
		star.LineTo(BPoint(322, 89));
		star.LineTo(BPoint(332, 58));
		star.LineTo(BPoint(310, 40));
		star.LineTo(BPoint(338, 40));
		star.Close();
		SetHighColor(kOrange);
		FillShape(&star);
		SetHighColor(0, 0, 0);
		StrokeShape(&star);

		BRegion ring(BRect(10, 110, 89, 189));
		ring.Exclude(BRect(30, 130, 69, 169));
		SetHighColor(kPurple);
		FillRegion(&ring);

		BPoint points[3] = { BPoint(110, 189), BPoint(150, 110), BPoint(189, 189) };
		BPolygon triangle(points, 3);
		SetHighColor(kRed);
		SetLowColor(255, 255, 255);
		FillPolygon(&triangle, B_MIXED_COLORS);

		SetHighColor(kBlue);
		SetDrawingMode(B_OP_INVERT);
		FillEllipse(BRect(210, 110, 289, 189));
		SetDrawingMode(B_OP_COPY);

		BeginLineArray(3);
		AddLine(BPoint(310, 110), BPoint(389, 110), kRed);
		AddLine(BPoint(310, 110), BPoint(310, 189), kGreen);
		AddLine(BPoint(310, 110), BPoint(389, 189), kBlue);
		EndLineArray();
	}
};


class DrawingScreenTest : public testing::Test {
protected:
	static void SetUpTestSuite()
	{
		stServer = new XvfbServer;
		ASSERT_EQ(stServer->Start(), B_OK);
		setenv("DISPLAY", stServer->Name().c_str(), 1);
		setenv("BE_DISPLAY", "x11", 1);
	}

	static void TearDownTestSuite()
	{
		delete stServer;
		stServer = NULL;
	}

	static XvfbServer* stServer;
};

XvfbServer* DrawingScreenTest::stServer = NULL;

} // namespace


TEST_F(DrawingScreenTest, PrimitivesShowInTheirColoursAndPlaces)
{
	XvfbScreen screen(stServer->Name(), 480, 280);
	ASSERT_TRUE(screen.IsOpen());
	BWindow* window = new BWindow(kFrame, "Primitives", B_TITLED_WINDOW, B_NOT_RESIZABLE);
	window->AddChild(new PrimitivesView(window->Bounds()));
	window->Show();

	int left = (int)kFrame.left;
	int top = (int)kFrame.top;
	auto at = [&](int x, int y) { return screen.At(left + x, top + y); };
	bool drawn = screen.WaitFor([&] {
		return at(30, 50) == PixelOf(kRed) && at(15, 115) == PixelOf(kPurple)
			&& at(350, 50) == PixelOf(kOrange);
	});
	std::string path = std::string(QV_BIN_DIR "/../Drawing-primitives.png");
	screen.Save(path.c_str());
	ASSERT_TRUE(drawn) << "the screen is in " << path;

	// The pie leaves its 30 degrees to the right open; the round rectangle's corner is
	// cut; the curve's hump is filled below its top; the star's centre and points.
	EXPECT_EQ(at(30, 50), PixelOf(kRed));
	EXPECT_NE(at(85, 45), PixelOf(kRed));
	EXPECT_EQ(at(150, 50), PixelOf(kGreen));
	EXPECT_NE(at(111, 11), PixelOf(kGreen));
	EXPECT_EQ(at(250, 60), PixelOf(kBlue));
	EXPECT_NE(at(250, 5), PixelOf(kBlue));
	EXPECT_EQ(at(350, 50), PixelOf(kOrange));
	EXPECT_NE(at(320, 80), PixelOf(kOrange));
	// The region's hole, the mixed pattern's two colours and the inverted disc.
	EXPECT_EQ(at(15, 115), PixelOf(kPurple));
	EXPECT_NE(at(50, 150), PixelOf(kPurple));
	EXPECT_NE(at(150, 170), at(151, 170));
	uint32 inside = at(250, 150);
	EXPECT_NE(inside, at(205, 150));
	EXPECT_EQ(at(350, 110), PixelOf(kRed));
	EXPECT_EQ(at(310, 150), PixelOf(kGreen));
	EXPECT_EQ(at(350, 150), PixelOf(kBlue));

	if (window->Lock())
		window->Quit();
}

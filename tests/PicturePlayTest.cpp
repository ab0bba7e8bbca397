// BPicture::Play: the recorded calls reach the table's functions in the platform's
// order, each after the state it was drawn in; entries past the table's end or NULL are
// skipped, and a picture from bytes plays as safely as one recorded here.
#include <Bitmap.h>
#include <DataIO.h>
#include <Picture.h>
#include <Shape.h>
#include <View.h>

#include <gtest/gtest.h>

#include <string.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

// The platform's table indexes this test checks.
enum {
	kStrokeLine = 2,
	kFillRect = 4,
	kFillRoundRect = 6,
	kStrokeBezier = 7,
	kStrokeArc = 9,
	kFillEllipse = 12,
	kStrokePolygon = 13,
	kFillShape = 16,
	kDrawString = 17,
	kDrawPixels = 18,
	kPushState = 22,
	kPopState = 23,
	kEnterStateChange = 24,
	kExitStateChange = 25,
	kSetPenLocation = 29,
	kSetDrawingMode = 30,
	kSetPenSize = 32,
	kSetForeColor = 33,
	kSetFontFamily = 37,
	kSetFontSize = 40,
	kTableSize = 48
};


struct Log {
	std::vector<std::string> calls;
	std::vector<BPoint> points;
	std::vector<BRect> rects;
	std::vector<rgb_color> colours;
	std::vector<float> values;
	std::string text;
	int32 pixelsWidth = 0;
	uint32 firstPixel = 0;
};


Log* as_log(void* user) { return (Log*)user; }

void StrokeLine(void* user, BPoint from, BPoint to)
{
	as_log(user)->calls.push_back("line");
	as_log(user)->points.push_back(from);
	as_log(user)->points.push_back(to);
}

void FillRect(void* user, BRect rect)
{
	as_log(user)->calls.push_back("fill rect");
	as_log(user)->rects.push_back(rect);
}

void FillRoundRect(void* user, BRect rect, BPoint radii)
{
	as_log(user)->calls.push_back("fill round rect");
	as_log(user)->points.push_back(radii);
}

void StrokeBezier(void* user, BPoint* points)
{
	as_log(user)->calls.push_back("bezier");
	as_log(user)->points.push_back(points[3]);
}

void StrokeArc(void* user, BPoint center, BPoint radii, float start, float arc)
{
	as_log(user)->calls.push_back("arc");
	as_log(user)->points.push_back(center);
	as_log(user)->values.push_back(start);
	as_log(user)->values.push_back(arc);
}

void FillEllipse(void* user, BPoint center, BPoint radii)
{
	as_log(user)->calls.push_back("fill ellipse");
	as_log(user)->points.push_back(center);
	as_log(user)->points.push_back(radii);
}

void StrokePolygon(void* user, int32 count, const BPoint* points, bool closed)
{
	as_log(user)->calls.push_back("polygon " + std::to_string(count)
		+ (closed ? " closed" : " open"));
}

void FillShape(void* user, const BShape* shape)
{
	as_log(user)->calls.push_back("fill shape");
	as_log(user)->rects.push_back(shape->Bounds());
}

void DrawString(void* user, const char* string, float, float)
{
	as_log(user)->calls.push_back("string");
	as_log(user)->text = string;
}

void DrawPixels(void* user, BRect source, BRect destination, int32 width, int32 height,
	int32 bytesPerRow, int32 space, int32 flags, const void* data)
{
	as_log(user)->calls.push_back("pixels");
	as_log(user)->pixelsWidth = width;
	as_log(user)->firstPixel = *(const uint32*)data;
	as_log(user)->rects.push_back(destination);
}

void PushState(void* user) { as_log(user)->calls.push_back("push"); }
void PopState(void* user) { as_log(user)->calls.push_back("pop"); }
void EnterStateChange(void* user) { as_log(user)->calls.push_back("enter"); }
void ExitStateChange(void* user) { as_log(user)->calls.push_back("exit"); }

void SetPenLocation(void* user, BPoint where)
{
	as_log(user)->calls.push_back("pen location");
	as_log(user)->points.push_back(where);
}

void SetDrawingMode(void* user, drawing_mode mode)
{
	as_log(user)->calls.push_back("mode " + std::to_string((int)mode));
}

void SetPenSize(void* user, float size)
{
	as_log(user)->calls.push_back("pen size");
	as_log(user)->values.push_back(size);
}

void SetForeColor(void* user, rgb_color colour)
{
	as_log(user)->calls.push_back("fore colour");
	as_log(user)->colours.push_back(colour);
}

void SetFontFamily(void* user, const char* family)
{
	as_log(user)->calls.push_back("font family");
}

void SetFontSize(void* user, float size)
{
	as_log(user)->calls.push_back("font size");
	as_log(user)->values.push_back(size);
}


std::vector<void*>
full_table()
{
	std::vector<void*> table(kTableSize, nullptr);
	table[kStrokeLine] = (void*)StrokeLine;
	table[kFillRect] = (void*)FillRect;
	table[kFillRoundRect] = (void*)FillRoundRect;
	table[kStrokeBezier] = (void*)StrokeBezier;
	table[kStrokeArc] = (void*)StrokeArc;
	table[kFillEllipse] = (void*)FillEllipse;
	table[kStrokePolygon] = (void*)StrokePolygon;
	table[kFillShape] = (void*)FillShape;
	table[kDrawString] = (void*)DrawString;
	table[kDrawPixels] = (void*)DrawPixels;
	table[kPushState] = (void*)PushState;
	table[kPopState] = (void*)PopState;
	table[kEnterStateChange] = (void*)EnterStateChange;
	table[kExitStateChange] = (void*)ExitStateChange;
	table[kSetPenLocation] = (void*)SetPenLocation;
	table[kSetDrawingMode] = (void*)SetDrawingMode;
	table[kSetPenSize] = (void*)SetPenSize;
	table[kSetForeColor] = (void*)SetForeColor;
	table[kSetFontFamily] = (void*)SetFontFamily;
	table[kSetFontSize] = (void*)SetFontSize;
	return table;
}


// Records what draw draws into a picture.
void
record(BPicture* picture, const std::function<void(BView*)>& draw)
{
	BView view(BRect(0, 0, 99, 99), "recorder", B_FOLLOW_NONE, 0);
	view.BeginPicture(picture);
	draw(&view);
	view.EndPicture();
}

} // namespace


TEST(PicturePlayTest, EachCallComesAfterTheStateItWasDrawnIn)
{
	BPicture picture;
	record(&picture, [](BView* view) {
		view->SetHighColor(255, 0, 0);
		view->StrokeLine(BPoint(1, 2), BPoint(30, 40));
		// Nothing changed: no state change before the next call.
		view->FillRect(BRect(5, 5, 14, 24));
		view->SetPenSize(3);
		view->FillEllipse(BRect(10, 20, 30, 60));
		view->InvertRect(BRect(0, 0, 3, 3));
	});
	Log log;
	std::vector<void*> table = full_table();
	ASSERT_EQ(picture.Play(table.data(), kTableSize, &log), B_OK);

	std::vector<std::string> expected = {
		"enter", "mode 0", "pen size", "fore colour", "exit", "line",
		"fill rect",
		"enter", "pen size", "exit", "fill ellipse",
		"push", "enter", "mode 3", "exit", "fill rect", "pop"
	};
	EXPECT_EQ(log.calls, expected);
	EXPECT_EQ(log.colours.at(0), make_color(255, 0, 0));
	EXPECT_EQ(log.points.at(0), BPoint(1, 2));
	EXPECT_EQ(log.points.at(1), BPoint(30, 40));
	EXPECT_EQ(log.rects.at(0), BRect(5, 5, 14, 24));
	// An ellipse is its centre and radii.
	EXPECT_EQ(log.points.at(2), BPoint(20, 40));
	EXPECT_EQ(log.points.at(3), BPoint(10, 20));
	EXPECT_EQ(log.values, (std::vector<float>{ 1, 3 }));
}


TEST(PicturePlayTest, CurvesShapesTextAndPixelsReachTheirEntries)
{
	BBitmap bitmap(BRect(0, 0, 2, 1), B_RGB32);
	memset(bitmap.Bits(), 0, bitmap.BitsLength());
	((uint32*)bitmap.Bits())[0] = 0xff123456;
	BPicture picture;
	record(&picture, [&](BView* view) {
		view->FillRoundRect(BRect(0, 0, 20, 10), 4, 3);
		BPoint curve[4] = { BPoint(0, 0), BPoint(5, 10), BPoint(10, 10), BPoint(15, 0) };
		view->StrokeBezier(curve);
		view->StrokeArc(BPoint(50, 50), 10, 20, 45, 90);
		BPoint triangle[3] = { BPoint(0, 0), BPoint(10, 0), BPoint(5, 5) };
		view->StrokePolygon(triangle, 3, false);
		BShape shape;
		shape.MoveTo(BPoint(2, 3));
		shape.LineTo(BPoint(12, 13));
		shape.Close();
		view->FillShape(&shape);
		BFont font;
		font.SetSize(14);
		view->SetFont(&font);
		view->DrawString("Hi", BPoint(7, 8));
		view->DrawBitmap(&bitmap, BRect(40, 40, 45, 43));
	});
	Log log;
	std::vector<void*> table = full_table();
	ASSERT_EQ(picture.Play(table.data(), kTableSize, &log), B_OK);

	std::vector<std::string> drawn;
	for (const std::string& call : log.calls) {
		if (call != "enter" && call != "exit" && call != "mode 0" && call != "pen size"
			&& call != "fore colour") {
			drawn.push_back(call);
		}
	}
	EXPECT_EQ(drawn, (std::vector<std::string>{ "fill round rect", "bezier", "arc",
		"polygon 3 open", "fill shape", "font family", "font size", "pen location",
		"string", "pixels" }));
	EXPECT_EQ(log.text, "Hi");
	EXPECT_EQ(log.pixelsWidth, 3);
	EXPECT_EQ(log.firstPixel, 0xff123456u);
	EXPECT_EQ(log.rects.back(), BRect(40, 40, 45, 43));
	EXPECT_EQ(log.rects.at(0), BRect(2, 3, 12, 13));
	EXPECT_EQ(log.values.back(), 14);
}


TEST(PicturePlayTest, EntriesPastTheTableOrNullAreSkipped)
{
	BPicture picture;
	record(&picture, [](BView* view) {
		view->StrokeLine(BPoint(0, 0), BPoint(9, 9));
		view->FillRect(BRect(0, 0, 9, 9));
	});
	Log log;
	std::vector<void*> table = full_table();
	// Three entries: nop, move pen, stroke line.
	ASSERT_EQ(picture.Play(table.data(), 3, &log), B_OK);
	EXPECT_EQ(log.calls, (std::vector<std::string>{ "line" }));

	log = Log();
	table[kStrokeLine] = nullptr;
	ASSERT_EQ(picture.Play(table.data(), kTableSize, &log), B_OK);
	EXPECT_EQ(std::count(log.calls.begin(), log.calls.end(), "line"), 0);
	EXPECT_EQ(std::count(log.calls.begin(), log.calls.end(), "fill rect"), 1);

	EXPECT_EQ(picture.Play(NULL, kTableSize, &log), B_BAD_VALUE);
	EXPECT_EQ(picture.Play(table.data(), -1, &log), B_BAD_VALUE);
}


TEST(PicturePlayTest, APictureFromBytesPlaysWhatItHolds)
{
	BPicture original;
	record(&original, [](BView* view) {
		BPoint points[4] = { BPoint(0, 0), BPoint(8, 0), BPoint(8, 8), BPoint(0, 8) };
		view->StrokePolygon(points, 4, true);
	});
	BMallocIO bytes;
	ASSERT_EQ(original.Flatten(&bytes), B_OK);
	bytes.Seek(0, SEEK_SET);
	BPicture copy;
	ASSERT_EQ(copy.Unflatten(&bytes), B_OK);
	Log log;
	std::vector<void*> table = full_table();
	ASSERT_EQ(copy.Play(table.data(), kTableSize, &log), B_OK);
	EXPECT_EQ(log.calls.back(), "polygon 4 closed");

	// An empty picture plays nothing.
	BPicture empty;
	log = Log();
	ASSERT_EQ(empty.Play(table.data(), kTableSize, &log), B_OK);
	EXPECT_TRUE(log.calls.empty());
}

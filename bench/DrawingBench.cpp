// The cost of drawing: the painter's primitives, text measuring, and a whole window
// update of a tree of views on the offscreen display.
#include <Bitmap.h>
#include <Font.h>
#include <String.h>
#include <View.h>
#include <Window.h>

#include "display/OffscreenDisplay.h"
#include "interface/Painter.h"

#include <benchmark/benchmark.h>

#include <cairo.h>

#include <stdlib.h>
#include <string.h>

using BPrivate::DrawState;
using BPrivate::Painter;

namespace {

class PainterFixture : public benchmark::Fixture {
public:
	void SetUp(const benchmark::State&) override
	{
		fSurface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 550, 300);
		fPainter = new Painter(fSurface);
	}

	void TearDown(const benchmark::State&) override
	{
		delete fPainter;
		cairo_surface_destroy(fSurface);
	}

	cairo_surface_t* fSurface;
	Painter* fPainter;
	DrawState fState;
};


// A list row's worth of text.
const char* kRow = "application/x-vnd.quorvane-SampleViewer  Sample Viewer";


class LabelView : public BView {
public:
	LabelView(BRect frame, const char* name)
		:
		BView(frame, name, B_FOLLOW_ALL_SIDES, B_WILL_DRAW)
	{
	}

	void Draw(BRect updateRect) override
	{
		SetHighColor(tint_color(ViewColor(), B_DARKEN_2_TINT));
		StrokeRect(Bounds());
		SetHighColor(0, 0, 0);
		for (float y = 14; y < Bounds().Height(); y += 18)
			DrawString(kRow, BPoint(4, y));
	}
};

} // namespace


BENCHMARK_F(PainterFixture, FillRect)(benchmark::State& state)
{
	for (auto _ : state)
		fPainter->FillRect(fState, BRect(10, 10, 269, 209), B_SOLID_HIGH);
}


BENCHMARK_F(PainterFixture, FillRectWithPattern)(benchmark::State& state)
{
	for (auto _ : state)
		fPainter->FillRect(fState, BRect(10, 10, 269, 209), B_MIXED_COLORS);
}


BENCHMARK_F(PainterFixture, DrawStringRow)(benchmark::State& state)
{
	for (auto _ : state)
		fPainter->DrawString(fState, kRow, (int32)strlen(kRow), BPoint(20, 20));
}


BENCHMARK_F(PainterFixture, DrawIconWithConstantAlpha)(benchmark::State& state)
{
	BBitmap icon(BRect(0, 0, 15, 15), B_CMAP8);
	uint8* bits = (uint8*)icon.Bits();
	for (int32 i = 0; i < icon.BitsLength(); i++)
		bits[i] = (uint8)(i % 3 == 0 ? B_TRANSPARENT_MAGIC_CMAP8 : i);
	fState.drawingMode = B_OP_ALPHA;
	fState.alphaSource = B_CONSTANT_ALPHA;
	for (auto _ : state)
		fPainter->DrawBitmap(fState, &icon, icon.Bounds(), BRect(4, 4, 19, 19));
}


static void
StringWidth(benchmark::State& state)
{
	BFont font(be_plain_font);
	for (auto _ : state)
		benchmark::DoNotOptimize(font.StringWidth(kRow));
}
BENCHMARK(StringWidth);


static void
TruncateSmart(benchmark::State& state)
{
	BFont font(be_plain_font);
	for (auto _ : state) {
		BString text(kRow);
		font.TruncateString(&text, B_TRUNCATE_SMART, 120);
		benchmark::DoNotOptimize(text.String());
	}
}
BENCHMARK(TruncateSmart);


// A 550 by 300 window of three nested text panes, drawn in full and shown.
static void
WindowUpdate(benchmark::State& state)
{
	setenv("BE_DISPLAY", "offscreen", 1);
	BWindow* window = new BWindow(BRect(50, 50, 600, 350), "Bench", B_DOCUMENT_WINDOW, 0);
	BView* outer = new LabelView(BRect(0, 0, 550, 300), "outer");
	BView* middle = new LabelView(BRect(20, 20, 530, 280), "middle");
	middle->SetViewColor(240, 240, 200);
	middle->AddChild(new LabelView(BRect(20, 20, 490, 240), "inner"));
	outer->AddChild(middle);
	window->AddChild(outer);
	window->Show();
	auto* offscreen = static_cast<BPrivate::OffscreenDisplay*>(
		BPrivate::Display::Default())->FindWindow("Bench");
	offscreen->WaitForPresentation(0, 5000000);

	for (auto _ : state) {
		int64 presented = offscreen->Presentations();
		window->Lock();
		outer->Invalidate();
		window->Unlock();
		offscreen->WaitForPresentation(presented, 5000000);
	}
	window->Lock();
	window->Quit();
}
BENCHMARK(WindowUpdate)->Unit(benchmark::kMillisecond);


BENCHMARK_MAIN();

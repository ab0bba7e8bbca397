// The outline list at scale, on the offscreen display: appending rows, collapsing and
// expanding every top item, removing one subtree, and drawing one screenful, each
// reported per row (per_row, in seconds) for 10,000 and 100,000 rows, so that the
// figures show whether a row's cost grows with the size of the list.
//
// The tree has the shape of the program's outline: top items of 100 rows each (an
// application), with windows at level 1 and views nested down to level 4.
#include <ListItem.h>
#include <OutlineListView.h>
#include <ScrollView.h>
#include <Window.h>

#include "display/OffscreenDisplay.h"

#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <memory>
#include <vector>

namespace {

const int32 kRowsPerTop = 100;

// Levels of one top item's rows: 0, then windows of 33 rows (a window and its views).
uint32
LevelOf(int32 row)
{
	int32 inTop = row % kRowsPerTop;
	if (inTop == 0)
		return 0;
	int32 inWindow = (inTop - 1) % 33;
	return inWindow == 0 ? 1 : 2 + inWindow % 3;
}


// An offscreen window the size of the program's, with an outline in a scroll view.
struct OutlineWindow {
	OutlineWindow()
	{
		setenv("BE_DISPLAY", "offscreen", 1);
		window = new BWindow(BRect(50, 50, 600, 350), "OutlineBench", B_DOCUMENT_WINDOW, 0);
		outline = new BOutlineListView(BRect(0, 0, 535, 285), "outline",
			B_SINGLE_SELECTION_LIST, B_FOLLOW_ALL_SIDES);
		window->AddChild(new BScrollView("outline->BScrollView", outline,
			B_FOLLOW_ALL_SIDES, 0, true, true, B_FANCY_BORDER));
		window->Show();
		offscreen = static_cast<BPrivate::OffscreenDisplay*>(BPrivate::Display::Default())
			->FindWindow("OutlineBench");
		offscreen->WaitForPresentation(0, 5000000);
		window->Lock();
	}

	~OutlineWindow()
	{
		outline->MakeEmpty();
		window->Quit();
	}

	void MakeItems(int32 count)
	{
		items.clear();
		items.reserve(count);
		for (int32 row = 0; row < count; row++)
			items.emplace_back(new BStringItem("BView fBackView->BScrollView", LevelOf(row)));
	}

	void AddAll()
	{
		for (auto& item : items)
			outline->AddItem(item.get());
	}

	BWindow* window;
	BOutlineListView* outline;
	BPrivate::OffscreenWindow* offscreen;
	std::vector<std::unique_ptr<BStringItem>> items;
};


void
PerRow(benchmark::State& state, int64 rowsPerIteration)
{
	state.counters["per_row"] = benchmark::Counter(
		(double)rowsPerIteration * state.iterations(),
		benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace


static void
AddRows(benchmark::State& state)
{
	OutlineWindow fixture;
	int32 rows = state.range(0);
	for (auto _ : state) {
		state.PauseTiming();
		fixture.outline->MakeEmpty();
		fixture.MakeItems(rows);
		state.ResumeTiming();
		fixture.AddAll();
	}
	PerRow(state, rows);
}
BENCHMARK(AddRows)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);


// Collapses every top item, then expands every one again, from the first to the last.
static void
CollapseAndExpandTops(benchmark::State& state)
{
	OutlineWindow fixture;
	int32 rows = state.range(0);
	fixture.MakeItems(rows);
	fixture.AddAll();
	for (auto _ : state) {
		for (int32 row = 0; row < rows; row += kRowsPerTop)
			fixture.outline->Collapse(fixture.items[row].get());
		for (int32 row = 0; row < rows; row += kRowsPerTop)
			fixture.outline->Expand(fixture.items[row].get());
	}
	PerRow(state, rows);
}
BENCHMARK(CollapseAndExpandTops)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);


// Removes the middle top item with its 99 rows, then puts them back at the end.
static void
RemoveSubtree(benchmark::State& state)
{
	OutlineWindow fixture;
	int32 rows = state.range(0);
	fixture.MakeItems(rows);
	fixture.AddAll();
	for (auto _ : state) {
		int32 top = fixture.outline->FullListCountItems() / 2 / kRowsPerTop * kRowsPerTop;
		BListItem* item = fixture.outline->FullListItemAt(top);
		std::vector<BListItem*> subtree;
		for (int32 row = top; row < top + kRowsPerTop; row++)
			subtree.push_back(fixture.outline->FullListItemAt(row));
		fixture.outline->RemoveItem(item);
		state.PauseTiming();
		for (BListItem* row : subtree)
			fixture.outline->AddItem(row);
		state.ResumeTiming();
	}
	PerRow(state, kRowsPerTop);
}
BENCHMARK(RemoveSubtree)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);


// Draws the screenful in the middle of the list: the window's whole update, on the
// window's thread, so in real time.
static void
DrawScreenful(benchmark::State& state)
{
	OutlineWindow fixture;
	int32 rows = state.range(0);
	fixture.MakeItems(rows);
	fixture.AddAll();
	fixture.outline->ScrollTo(fixture.outline->CountItems() / 2);
	BRect bounds = fixture.outline->Bounds();
	int32 shown = fixture.outline->IndexOf(bounds.LeftBottom())
		- fixture.outline->IndexOf(bounds.LeftTop()) + 1;
	fixture.window->Unlock();
	for (auto _ : state) {
		int64 presented = fixture.offscreen->Presentations();
		fixture.window->Lock();
		fixture.outline->Invalidate();
		fixture.window->Unlock();
		fixture.offscreen->WaitForPresentation(presented, 5000000);
	}
	fixture.window->Lock();
	state.counters["rows_drawn"] = shown;
	PerRow(state, shown);
}
BENCHMARK(DrawScreenful)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)
	->UseRealTime();


BENCHMARK_MAIN();

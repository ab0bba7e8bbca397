// The cost of a keystroke in a text view as the text grows: each change lays out again
// only the paragraphs it touched, so typing in the middle of a long text should cost
// about as much as in a short one; setting the whole text is the full layout's cost.
#include <TextView.h>

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string
Paragraphs(int64 count)
{
	std::string text;
	for (int64 i = 0; i < count; i++)
		text += "A paragraph of ordinary words that wraps once or twice in the view.\n";
	return text;
}


void
BM_TypeInTheMiddle(benchmark::State& state)
{
	BTextView view(BRect(0, 0, 299, 199), "text", BRect(4, 4, 295, 195), B_FOLLOW_NONE,
		B_WILL_DRAW);
	view.SetText(Paragraphs(state.range(0)).c_str());
	int32 middle = view.TextLength() / 2;
	for (auto _ : state) {
		view.Insert(middle, "x", 1);
		view.Delete(middle, middle + 1);
	}
	state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_TypeInTheMiddle)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);


void
BM_SetText(benchmark::State& state)
{
	BTextView view(BRect(0, 0, 299, 199), "text", BRect(4, 4, 295, 195), B_FOLLOW_NONE,
		B_WILL_DRAW);
	std::string text = Paragraphs(state.range(0));
	for (auto _ : state)
		view.SetText(text.c_str());
	state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_SetText)->Arg(10)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

// Times one analysis per iteration: analyse() returns the analysed tree, or NULL when the
// application was not found, which ends the benchmark with an error. Deleting the tree is
// not timed.
#ifndef _ANALYSIS_LOOP_H
#define _ANALYSIS_LOOP_H

#include <benchmark/benchmark.h>

template<typename Analyse>
void
time_analyses(benchmark::State& state, Analyse analyse)
{
	for (auto _ : state) {
		auto* node = analyse();
		if (node == NULL) {
			state.SkipWithError("the application was not found");
			break;
		}
		state.PauseTiming();
		delete node;
		state.ResumeTiming();
	}
}

#endif // _ANALYSIS_LOOP_H

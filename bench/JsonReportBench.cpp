// Quorvane --json on AnalysisBench's application of 10,000 views (100 windows, each a chain
// of 100 nested views): the analysis alone, one request at a time and with up to
// kMaxRequestsInFlight in flight as --json runs it (goal: at most 0.6 times the first), against the analysis followed by its JSON
// document written to a sink that keeps nothing, and against the program itself run as a
// process with its output to /dev/null; and the document alone, of a tree analysed before. Prints the ratios (goal: the document within 1.2
// times the analysis alone), the length of the document, and the most heap that writing it
// took beyond the analysed tree: it must stay far below the document's length, since the
// document is written as it is made.
#include <Message.h>

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <string>

#include "AnalysisLoop.h"
#include "JsonReport.h"
#include "MedianReporter.h"
#include "ScriptingTargets.h"
#include "TestRuntime.h"

namespace {

const char* kSignature = "application/x-vnd.bench-json";
const int kWindows = 100;
const int kDepth = 100;

TestRuntime* stRuntime;
size_t stDocumentBytes;
size_t stWritingHeap;


// How often a sink that is asked to looks at the heap: each look walks the whole heap
// (mallinfo2), about two milliseconds after an analysis; at every write of the 36 MB
// document the looks took longer than the document itself.
const size_t kHeapSampleBytes = 1024 * 1024;


// A stream that counts what it is given and, when asked, keeps the most heap in use while
// it was written.
struct Sink {
	// The stream's buffer: Quorvane --json writes its document in pieces of this size.
	char	buffer[64 * 1024];
	bool	sampleHeap = false;
	size_t	bytes = 0;
	size_t	heapBefore = 0;
	size_t	heapPeak = 0;
};


ssize_t
sink_write(void* cookie, const char* buffer, size_t size)
{
	Sink* sink = static_cast<Sink*>(cookie);
	bool sample = sink->sampleHeap
		&& sink->bytes / kHeapSampleBytes != (sink->bytes + size) / kHeapSampleBytes;
	sink->bytes += size;
	if (sample)
		sink->heapPeak = std::max(sink->heapPeak, mallinfo2().uordblks);
	return size;
}


FILE*
open_sink(Sink* sink)
{
	cookie_io_functions_t functions = { NULL, sink_write, NULL, NULL };
	FILE* stream = fopencookie(sink, "w", functions);
	if (stream != NULL)
		setvbuf(stream, sink->buffer, _IOFBF, sizeof(sink->buffer));
	return stream;
}


// The analysis on this thread, as AnalysisBench times it, or on a thread of its own, as
// run_json_mode() runs it, one request at a time unless requestsInFlight says otherwise.
ScriptingApplication*
analyse(bool onItsThread, int32 requestsInFlight = 1)
{
	ScriptingApplication* node = CreateScriptingApplication(kSignature);
	if (node == NULL)
		return NULL;
	node->Budget()->SetLogged(false);
	node->Budget()->SetRequestsInFlight(requestsInFlight);
	if (onItsThread) {
		node->AnalyzeApplication();
		node->AnalysisEnded();
	} else
		node->Analyze(0);
	return node;
}


void
analysis(benchmark::State& state, bool onItsThread, int32 requestsInFlight = 1)
{
	time_analyses(state, [&] { return analyse(onItsThread, requestsInFlight); });
}


void
BM_Analysis(benchmark::State& state)
{
	analysis(state, false);
}


void
BM_AnalysisOnItsThread(benchmark::State& state)
{
	analysis(state, true);
}


// As run_json_mode() analyses: on a thread of its own, with requests in flight.
void
BM_AnalysisInFlight(benchmark::State& state)
{
	analysis(state, true, kMaxRequestsInFlight);
}


// The analysis, then the document, as run_json_mode() makes them for one application.
void
BM_AnalysisAndJson(benchmark::State& state)
{
	for (auto _ : state) {
		ScriptingApplication* node = analyse(false);
		if (node == NULL) {
			state.SkipWithError("the application was not found");
			break;
		}
		Sink sink;
		sink.sampleHeap = true;
		FILE* stream = open_sink(&sink);
		sink.heapBefore = mallinfo2().uordblks;
		sink.heapPeak = sink.heapBefore;
		JsonReport report(stream);
		report.Begin();
		report.AddApplication(node);
		report.End();
		fclose(stream);
		state.PauseTiming();
		stDocumentBytes = sink.bytes;
		stWritingHeap = std::max(stWritingHeap, sink.heapPeak - sink.heapBefore);
		delete node;
		state.ResumeTiming();
	}
	state.counters["document bytes"] = stDocumentBytes;
}


// The document alone, of a tree analysed once beforehand: the work that --json adds to the
// analysis, without the noise of the requests.
void
BM_JsonAlone(benchmark::State& state)
{
	ScriptingApplication* node = analyse(false);
	if (node == NULL) {
		state.SkipWithError("the application was not found");
		return;
	}
	for (auto _ : state) {
		Sink sink;
		FILE* stream = open_sink(&sink);
		JsonReport report(stream);
		report.Begin();
		report.AddApplication(node);
		report.End();
		fclose(stream);
	}
	delete node;
}


// The program as a script runs it, its document going to /dev/null: this build's, or
// another build's named by QV_BASELINE_QUORVANE (an absolute path), to compare the two
// in one run.
void
program(benchmark::State& state, const char* executable)
{
	for (auto _ : state) {
		pid_t process = stRuntime->Start(executable, { "--json", kSignature }, "/dev/null");
		int status = stRuntime->Wait(process, 120000000);
		if (status < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
			state.SkipWithError("Quorvane --json failed");
			break;
		}
	}
}


void
BM_Program(benchmark::State& state)
{
	program(state, "Quorvane");
}


void
BM_BaselineProgram(benchmark::State& state)
{
	program(state, getenv("QV_BASELINE_QUORVANE"));
}


class RatioReporter : public MedianReporter {
public:
	void Finalize() override
	{
		ConsoleReporter::Finalize();
		double analysis = RealTime("BM_Analysis");
		double onItsThread = RealTime("BM_AnalysisOnItsThread");
		double inFlight = RealTime("BM_AnalysisInFlight");
		double json = RealTime("BM_AnalysisAndJson");
		double program = RealTime("BM_Program");
		double baseline = RealTime("BM_BaselineProgram");
		double alone = RealTime("BM_JsonAlone");
		if (analysis > 0 && onItsThread > 0) {
			printf("The analysis on a thread of its own / on the calling thread: %.2f\n",
				onItsThread / analysis);
		}
		if (analysis > 0 && inFlight > 0) {
			printf("The analysis with up to %d requests in flight / one at a time: %.2f\n",
				(int)kMaxRequestsInFlight, inFlight / analysis);
		}
		if (analysis > 0 && json > 0) {
			printf("Analysis of %d views and its JSON / the analysis alone: %.2f (goal: at "
				"most 1.2)\n", kWindows * kDepth, json / analysis);
		}
		if (analysis > 0 && alone > 0) {
			printf("The document alone / the analysis alone: %.2f\n", alone / analysis);
		}
		if (analysis > 0 && program > 0) {
			printf("Quorvane --json as a process / the analysis alone, one request at a time: "
				"%.2f (goal: at most 0.6)\n", program / analysis);
		}
		if (program > 0 && baseline > 0) {
			printf("Quorvane --json as a process, this build / the baseline's: %.2f\n",
				program / baseline);
		}
		printf("Document: %zu bytes; most heap taken while writing it: %zu bytes\n",
			stDocumentBytes, stWritingHeap);
	}
};

} // namespace


BENCHMARK(BM_Analysis)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)
	->ReportAggregatesOnly(true);
BENCHMARK(BM_AnalysisOnItsThread)->Unit(benchmark::kMillisecond)->UseRealTime()
	->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_AnalysisInFlight)->Unit(benchmark::kMillisecond)->UseRealTime()
	->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_AnalysisAndJson)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)
	->ReportAggregatesOnly(true);
BENCHMARK(BM_JsonAlone)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)
	->ReportAggregatesOnly(true);
BENCHMARK(BM_Program)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)
	->ReportAggregatesOnly(true);


int
main(int argc, char** argv)
{
	TestRuntime runtime;
	stRuntime = &runtime;
	if (runtime.StartRegistrar() != B_OK) {
		fprintf(stderr, "no registrar\n");
		return 1;
	}
	runtime.Start("FaultTargetApp", { kSignature, "nested", std::to_string(kWindows),
		std::to_string(kDepth) });
	if (!runtime.WaitForApp(kSignature)) {
		fprintf(stderr, "the application did not start\n");
		return 1;
	}
	if (getenv("QV_BASELINE_QUORVANE") != NULL) {
		benchmark::RegisterBenchmark("BM_BaselineProgram", BM_BaselineProgram)
			->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)
			->ReportAggregatesOnly(true);
	}
	RatioReporter reporter;
	return run_interleaved(argc, argv, reporter);
}

// Quorvane's analysis of an application of 10,000 views (100 windows, each a chain of 100
// nested views) as the program runs it (up to kMaxRequestsInFlight requests in flight, its
// log written), from the first request to the finished node, against the same number of
// raw AF_UNIX round trips carrying as many bytes as the kit's frames of the analysis's
// requests and replies, on average (the application counts them): their sender sleeping
// for each reply, polling for it first as the kit does, or keeping as many in flight; the
// same analysis one request at a time; and the analyses of 20 such applications started on
// 20 threads at once (with requests in flight, and one at a time each; the program's gate
// lets as many run as there are processors, the others wait their turn) against one, with
// the CPU time each costs on both sides. Prints the ratios, the requests per analysis and
// the heap bytes per analysed view, and the CPU time that one analysis costs on both
// sides: on a machine of few cores, that is what limits how far twenty analyses can
// overlap.
#include <Message.h>
#include <Messenger.h>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <malloc.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "AnalysisLoop.h"
#include "FaultTargetCounts.h"
#include "MedianReporter.h"
#include "ProcessTime.h"
#include "RawPingPong.h"
#include "ScriptingTargets.h"
#include "TestRuntime.h"
#include "app/LinkConnection.h"
#include "app/LinkFrame.h"

namespace {

const int kWindows = 100;
const int kDepth = 100;
const int kApplications = 20;

// What one analysis asks: its requests, and the mean sizes of their frames and of the
// reply frames, as the kit puts them on the socket.
int64 stRequests;
pid_t stApplication;
std::vector<pid_t> stApplications;
size_t stRequestFrame;
size_t stReplyFrame;


std::string
signature(int index)
{
	return "application/x-vnd.bench-analysis" + std::to_string(index);
}


// What the application of that index has answered so far.
FaultTargetCounts
answered(int index)
{
	return fault_target_counts(signature(index).c_str());
}


// The analysis prints a line per element; standard output is muted meanwhile.
class Muted {
public:
	Muted()
	{
		fflush(stdout);
		fSaved = dup(STDOUT_FILENO);
		int null = open("/dev/null", O_WRONLY);
		dup2(null, STDOUT_FILENO);
		close(null);
	}

	~Muted()
	{
		fflush(stdout);
		dup2(fSaved, STDOUT_FILENO);
		close(fSaved);
	}

private:
	int fSaved;
};


// Analyses the application as Quorvane does (its log written to the muted standard
// output), with up to requestsInFlight requests in flight; keeps the node.
void
analyse(int index, ScriptingApplication** node, int32 requestsInFlight)
{
	*node = CreateScriptingApplication(signature(index).c_str());
	if (*node != NULL) {
		(*node)->Budget()->SetRequestsInFlight(requestsInFlight);
		(*node)->Analyze(0);
	}
}


// The CPU time that the applications have used, in milliseconds.
double
applications_cpu_milliseconds()
{
	double sum = 0;
	for (pid_t application : stApplications)
		sum += cpu_milliseconds(application);
	return sum;
}


// One analysis with the CPU time of this whole process (with requests in flight the
// analysis runs on a looper of its own) and of the application, and the heap bytes that
// the analysed tree keeps.
void
analysis(benchmark::State& state, int32 requestsInFlight)
{
	double here = 0;
	double application = 0;
	size_t bytes = 0;
	time_analyses(state, [&] {
		double hereBefore = cpu_milliseconds(getpid());
		double applicationBefore = cpu_milliseconds(stApplication);
		ScriptingApplication* node;
		{
			Muted muted;
			// Walks the whole heap under the allocator's locks: never while analyses run.
			size_t before = mallinfo2().uordblks;
			analyse(0, &node, requestsInFlight);
			bytes = mallinfo2().uordblks - before;
		}
		here += cpu_milliseconds(getpid()) - hereBefore;
		application += cpu_milliseconds(stApplication) - applicationBefore;
		return node;
	});
	state.counters["requests"] = stRequests;
	state.counters["CPU ms"] = here / state.iterations();
	state.counters["app CPU ms"] = application / state.iterations();
	state.counters["bytes/view"] = (double)bytes / (kWindows * kDepth);
}


// As many raw round trips as one analysis makes, the sender polling for each reply for
// pollMicroseconds before it sleeps.
void
raw_round_trips(benchmark::State& state, int pollMicroseconds)
{
	RawPingPong raw(stRequestFrame, stReplyFrame, pollMicroseconds);
	if (!raw.IsValid()) {
		state.SkipWithError("no echo process");
		return;
	}
	for (auto _ : state) {
		for (int64 i = 0; i < stRequests; i++) {
			if (!raw.RoundTrip()) {
				state.SkipWithError("echo failed");
				break;
			}
		}
	}
	state.SetLabel(std::to_string(stRequestFrame) + " bytes out, "
		+ std::to_string(stReplyFrame) + " back");
}


void
BM_RawRoundTrips(benchmark::State& state)
{
	raw_round_trips(state, 0);
}


// The same, polling for each reply as the kit's synchronous requests do.
void
BM_RawPollingRoundTrips(benchmark::State& state)
{
	raw_round_trips(state, BPrivate::kReplyPollTime);
}


// As many raw round trips, with as many requests in flight as the analysis below keeps:
// what the transport itself costs the two sides when neither waits for each reply.
void
BM_RawRoundTripsInFlight(benchmark::State& state)
{
	RawPingPong raw(stRequestFrame, stReplyFrame);
	if (!raw.IsValid()) {
		state.SkipWithError("no echo process");
		return;
	}
	double echo = 0;
	for (auto _ : state) {
		double echoBefore = cpu_milliseconds(raw.Echo());
		if (!raw.RoundTrips(stRequests, kMaxRequestsInFlight)) {
			state.SkipWithError("echo failed");
			break;
		}
		echo += cpu_milliseconds(raw.Echo()) - echoBefore;
	}
	state.counters["app CPU ms"] = echo / std::max<int64>(state.iterations(), 1);
}


// Twenty analyses on twenty threads at once, with the CPU time that each costs here and
// in its application: against one analysis alone, that tells whether the analyses at
// once do more work or leave the cores idle.
void
twenty_at_once(benchmark::State& state, int32 requestsInFlight)
{
	double here = 0;
	double applications = 0;
	int64 requests = 0;
	for (auto _ : state) {
		int64 answeredBefore = 0;
		for (int i = 0; i < kApplications; i++)
			answeredBefore += answered(i).answered;
		double hereBefore = cpu_milliseconds(getpid());
		double applicationsBefore = applications_cpu_milliseconds();
		std::vector<ScriptingApplication*> nodes(kApplications);
		{
			Muted muted;
			std::vector<std::thread> threads;
			for (int i = 0; i < kApplications; i++) {
				threads.emplace_back([&nodes, i, requestsInFlight] {
					analyse(i, &nodes[i], requestsInFlight);
				});
			}
			for (std::thread& thread : threads)
				thread.join();
		}
		state.PauseTiming();
		here += cpu_milliseconds(getpid()) - hereBefore;
		applications += applications_cpu_milliseconds() - applicationsBefore;
		for (int i = 0; i < kApplications; i++)
			requests += answered(i).answered;
		// Less each 'rqct' asked before.
		requests -= answeredBefore;
		for (ScriptingApplication* node : nodes)
			delete node;
		state.ResumeTiming();
	}
	// Analyses that reach their time limit stop short: the costs are per request answered.
	double perAnalysis = (double)state.iterations() * kApplications;
	state.counters["requests"] = requests / perAnalysis;
	state.counters["CPU ms"] = here / perAnalysis;
	state.counters["app CPU ms"] = applications / perAnalysis;
}


class RatioReporter : public MedianReporter {
public:
	void Finalize() override
	{
		ConsoleReporter::Finalize();
		double analysis = RealTime("BM_Analysis");
		double oneAtATime = RealTime("BM_AnalysisOneAtATime");
		double raw = RealTime("BM_RawRoundTrips");
		double rawPolling = RealTime("BM_RawPollingRoundTrips");
		double rawInFlight = RealTime("BM_RawRoundTripsInFlight");
		// CPU times of one analysis, here and in the application.
		double analysisCPU = 0;
		double applicationCPU = 0;
		const Run* run = Median("BM_Analysis");
		printf("Requests per analysis: %lld\n", (long long)stRequests);
		if (run != NULL && stRequests > 0) {
			analysisCPU = Counter(*run, "CPU ms");
			applicationCPU = Counter(*run, "app CPU ms");
			printf("The analysis as Quorvane runs it, up to %d requests in flight:\n",
				(int)kMaxRequestsInFlight);
			printf("CPU per request: %.1f us here (goal: at most 12), %.1f us in the "
				"application (goal: at most 8)\n", analysisCPU * 1000 / stRequests,
				applicationCPU * 1000 / stRequests);
			printf("Heap per analysed view: %.0f bytes (goal: at most 1024)\n",
				Counter(*run, "bytes/view"));
		}
		if (analysis > 0 && raw > 0) {
			printf("Analysis of %d views, analysis / raw round trips: %.2f (goal: at most "
				"1.5)\n", kWindows * kDepth, analysis / raw);
		}
		if (analysis > 0 && rawPolling > 0) {
			printf("Analysis / raw round trips polling for the reply as the kit does: %.2f "
				"(goal: at most 1.3)\n", analysis / rawPolling);
		}
		if (analysis > 0 && rawInFlight > 0) {
			printf("Analysis / raw round trips as many in flight: %.2f\n",
				analysis / rawInFlight);
		}
		run = Median("BM_RawRoundTripsInFlight");
		if (run != NULL && stRequests > 0) {
			printf("Raw round trips, %d in flight: CPU per request %.1f us sending, "
				"%.1f us answering\n", (int)kMaxRequestsInFlight,
				run->GetAdjustedCPUTime() * 1000 / stRequests,
				Counter(*run, "app CPU ms") * 1000 / stRequests);
		}
		run = Median("BM_AnalysisOneAtATime");
		if (run != NULL && stRequests > 0 && analysis > 0 && oneAtATime > 0) {
			printf("One request at a time: %.2f times as long as in flight, / raw polling "
				"round trips %.2f, CPU per request %.1f us here and %.1f us in the "
				"application\n", oneAtATime / analysis,
				rawPolling > 0 ? oneAtATime / rawPolling : 0.0,
				Counter(*run, "CPU ms") * 1000 / stRequests,
				Counter(*run, "app CPU ms") * 1000 / stRequests);
		}
		for (const char* name : { "BM_TwentyAtOnce", "BM_TwentyAtOnceOneAtATime" }) {
			double time = RealTime(name);
			const Run* run = Median(name);
			if (time <= 0 || run == NULL)
				continue;
			auto here = run->counters.find("CPU ms");
			auto there = run->counters.find("app CPU ms");
			auto asked = run->counters.find("requests");
			if (here == run->counters.end() || there == run->counters.end()
				|| asked == run->counters.end() || asked->second.value <= 0)
				continue;
			printf("%d analyses at once%s take %.2f times one analysis (%.2f if they did not "
				"overlap); each answered %.0f requests (of %lld), at %.1f us of CPU a request "
				"here and %.1f us in its application\n", kApplications,
				strcmp(name, "BM_TwentyAtOnce") == 0 ? "" : ", one request at a time each,",
				time / analysis, (double)kApplications, asked->second.value,
				(long long)stRequests, here->second.value * 1000 / asked->second.value,
				there->second.value * 1000 / asked->second.value);
		}
		long cores = sysconf(_SC_NPROCESSORS_ONLN);
		if (analysis > 0 && cores > 0) {
			// One analysis alone keeps this many cores busy; twenty can at best share them.
			double busy = (analysisCPU + applicationCPU) / analysis;
			printf("One analysis uses %.0f ms of CPU here and %.0f ms in the application, "
				"keeping %.2f cores busy: at that cost, %d at once on %ld cores would take "
				"%.2f times one analysis\n", analysisCPU, applicationCPU, busy,
				kApplications, cores, kApplications * busy / cores);
		}
	}

};

} // namespace


BENCHMARK(BM_RawRoundTrips)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)
	->ReportAggregatesOnly(true);
BENCHMARK(BM_RawPollingRoundTrips)->Unit(benchmark::kMillisecond)->UseRealTime()
	->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_RawRoundTripsInFlight)->Unit(benchmark::kMillisecond)->UseRealTime()
	->Repetitions(5)->ReportAggregatesOnly(true);


int
main(int argc, char** argv)
{
	TestRuntime runtime;
	if (runtime.StartRegistrar() != B_OK) {
		fprintf(stderr, "no registrar\n");
		return 1;
	}
	for (int i = 0; i < kApplications; i++) {
		pid_t application = runtime.Start("FaultTargetApp", { signature(i), "nested",
			std::to_string(kWindows), std::to_string(kDepth) });
		if (i == 0)
			stApplication = application;
		stApplications.push_back(application);
	}
	for (int i = 0; i < kApplications; i++) {
		if (!runtime.WaitForApp(signature(i).c_str())) {
			fprintf(stderr, "the applications did not start\n");
			return 1;
		}
	}

	// The requests of one analysis, counted and measured by the application itself.
	FaultTargetCounts before = answered(0);
	ScriptingApplication* node;
	{
		Muted muted;
		analyse(0, &node, kMaxRequestsInFlight);
	}
	delete node;
	FaultTargetCounts after = answered(0);
	stRequests = after.answered - before.answered;
	if (std::min({ before.answered, before.requestBytes, before.replyBytes, after.answered,
			after.requestBytes, after.replyBytes }) < 0 || stRequests <= 0) {
		fprintf(stderr, "the application did not count its requests\n");
		return 1;
	}
	int64 requestBytes = after.requestBytes - before.requestBytes;
	int64 replyBytes = after.replyBytes - before.replyBytes;
	stRequestFrame = BPrivate::kFrameHeaderSize + BPrivate::kMessageHeadSize
		+ (requestBytes + stRequests / 2) / stRequests;
	stReplyFrame = BPrivate::kFrameHeaderSize + BPrivate::kReplyHeadSize
		+ (replyBytes + stRequests / 2) / stRequests;

	// The analysis as Quorvane runs it (up to kMaxRequestsInFlight requests in flight) and
	// one request at a time, alone and twenty at once.
	const struct {
		const char*	name;
		void		(*run)(benchmark::State&, int32);
		int32		requestsInFlight;
	} cases[] = {
		{ "BM_Analysis", analysis, kMaxRequestsInFlight },
		{ "BM_AnalysisOneAtATime", analysis, 1 },
		{ "BM_TwentyAtOnce", twenty_at_once, kMaxRequestsInFlight },
		{ "BM_TwentyAtOnceOneAtATime", twenty_at_once, 1 },
	};
	for (const auto& each : cases) {
		benchmark::internal::Benchmark* registered = benchmark::RegisterBenchmark(each.name,
			each.run, each.requestsInFlight);
		registered->Unit(benchmark::kMillisecond)->UseRealTime()->ReportAggregatesOnly(true);
		if (each.run == twenty_at_once)
			registered->Iterations(1)->Repetitions(3);
		else
			registered->Repetitions(5);
	}

	RatioReporter reporter;
	return run_interleaved(argc, argv, reporter);
}

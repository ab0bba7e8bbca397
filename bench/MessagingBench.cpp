// The synchronous round trip between two kit processes (BMessenger::SendMessage with a
// reply, answered by a headless application) against a raw AF_UNIX ping-pong between two
// processes of as many bytes as the kit's frames carry each way, its sender sleeping for
// each reply or polling for it first as the kit does. Prints kit/raw: the goal is at most
// 1.5.
#include <Message.h>
#include <Messenger.h>

#include <benchmark/benchmark.h>

#include <stdio.h>

#include <string>

#include "MedianReporter.h"
#include "RawPingPong.h"
#include "TestRuntime.h"
#include "app/LinkConnection.h"
#include "app/LinkFrame.h"

namespace {

const char* kSignature = "application/x-vnd.bench-messaging";


// The request: a few fields and a short text, as a scripting request carries.
BMessage
make_request()
{
	BMessage request('ping');
	request.AddSpecifier("Title");
	request.AddSpecifier("Window", (int32)0);
	request.AddString("text", std::string(200, 'q').c_str());
	request.AddInt32("number", 42);
	return request;
}


// What the kit puts on the socket for that request, and for its answer: the application
// replies with a copy of the request.
size_t
request_frame_bytes(const BMessage& request)
{
	return BPrivate::kFrameHeaderSize + BPrivate::kMessageHeadSize
		+ request.FlattenedSize();
}


size_t
reply_frame_bytes(const BMessage& request)
{
	return BPrivate::kFrameHeaderSize + BPrivate::kReplyHeadSize + request.FlattenedSize();
}


std::string
label(const BMessage& request)
{
	return std::to_string(request_frame_bytes(request)) + " bytes out, "
		+ std::to_string(reply_frame_bytes(request)) + " back";
}


void
BM_KitRoundTrip(benchmark::State& state)
{
	TestRuntime runtime;
	pid_t app = -1;
	if (runtime.StartRegistrar() == B_OK) {
		app = runtime.Start("KitTestApp", { kSignature });
		runtime.WaitForApp(kSignature);
	}
	BMessenger messenger(kSignature);
	BMessage request = make_request();
	BMessage reply;
	if (!messenger.IsValid() || messenger.SendMessage(&request, &reply) != B_OK) {
		state.SkipWithError("the test application did not answer");
		return;
	}
	for (auto _ : state) {
		if (messenger.SendMessage(&request, &reply) != B_OK) {
			state.SkipWithError("send failed");
			break;
		}
	}
	state.SetLabel(label(request));
	runtime.Stop(app);
}


// Raw round trips whose sender polls for each reply for pollMicroseconds before it sleeps.
void
raw_round_trips(benchmark::State& state, int pollMicroseconds)
{
	BMessage request = make_request();
	RawPingPong raw(request_frame_bytes(request), reply_frame_bytes(request),
		pollMicroseconds);
	if (!raw.IsValid()) {
		state.SkipWithError("no echo process");
		return;
	}
	for (auto _ : state) {
		if (!raw.RoundTrip()) {
			state.SkipWithError("echo failed");
			break;
		}
	}
	state.SetLabel(label(request));
}


void
BM_RawRoundTrip(benchmark::State& state)
{
	raw_round_trips(state, 0);
}


// The same, polling for the reply as the kit's synchronous requests do.
void
BM_RawPollingRoundTrip(benchmark::State& state)
{
	raw_round_trips(state, BPrivate::kReplyPollTime);
}


// The console's report, and the ratio of the two round trips at the end.
class RatioReporter : public MedianReporter {
public:
	void Finalize() override
	{
		ConsoleReporter::Finalize();
		double kit = RealTime("BM_KitRoundTrip");
		double raw = RealTime("BM_RawRoundTrip");
		double rawPolling = RealTime("BM_RawPollingRoundTrip");
		if (kit > 0 && raw > 0) {
			printf("Synchronous round trip, kit / raw AF_UNIX: %.2f (goal: at most 1.5)\n",
				kit / raw);
		}
		if (kit > 0 && rawPolling > 0) {
			printf("Synchronous round trip, kit / raw AF_UNIX polling for the reply as the "
				"kit does: %.2f\n", kit / rawPolling);
		}
	}
};

} // namespace


// The machine may be shared: medians of several repetitions of each, interleaved so that
// a burst of load elsewhere falls on both alike.
BENCHMARK(BM_KitRoundTrip)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(9)
	->ReportAggregatesOnly(true);
BENCHMARK(BM_RawRoundTrip)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(9)
	->ReportAggregatesOnly(true);
BENCHMARK(BM_RawPollingRoundTrip)->Unit(benchmark::kMicrosecond)->UseRealTime()
	->Repetitions(9)->ReportAggregatesOnly(true);


int
main(int argc, char** argv)
{
	RatioReporter reporter;
	return run_interleaved(argc, argv, reporter);
}

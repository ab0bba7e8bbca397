// The synchronous round trip between two kit processes (BMessenger::SendMessage with a
// reply, answered by a headless application) against a raw AF_UNIX ping-pong between two
// processes of as many bytes as the kit's frames carry each way, its sender sleeping for
// each reply or polling for it first as the kit does. Prints kit/raw: the goal is at most
// 1.5. Also requests kept in flight through asynchronous sends whose replies come to a
// looper, with what each costs both processes.
#include <Application.h>
#include <Looper.h>
#include <Message.h>
#include <Messenger.h>

#include <benchmark/benchmark.h>

#include <stdio.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "MedianReporter.h"
#include "ProcessTime.h"
#include "RawPingPong.h"
#include "TestRuntime.h"
#include "app/LinkConnection.h"
#include "app/LinkFrame.h"

namespace {

const char* kSignature = "application/x-vnd.bench-messaging";
// Requests kept in flight by the asynchronous sender.
const int32 kInFlight = 8;


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


// Requests kept in flight through the platform's asynchronous sends: each reply comes
// back to a looper of this process, which sends the next request as it takes a reply.
class InFlightSender : public BLooper {
public:
	InFlightSender(const BMessenger& target, const BMessage& request, int64 count,
			int32 inFlight)
		:
		BLooper("in flight"),
		fTarget(target),
		fRequest(request),
		fCount(count),
		fInFlight(inFlight),
		fDone(create_sem(0, "in flight done"))
	{
	}

	~InFlightSender() override { delete_sem(fDone); }

	// Sends the first requests and waits until every reply has come; false when a
	// send failed or the replies stopped coming for a second.
	bool SendAll()
	{
		if (!Lock())
			return false;
		for (; fSent < fCount && fSent < fInFlight; fSent++) {
			if (fTarget.SendMessage(&fRequest, this) != B_OK) {
				Unlock();
				return false;
			}
		}
		Unlock();
		return acquire_sem_etc(fDone, 1, B_RELATIVE_TIMEOUT, 1000000) == B_OK;
	}

	void MessageReceived(BMessage* message) override
	{
		if (!message->IsReply()) {
			BLooper::MessageReceived(message);
			return;
		}
		if (fSent < fCount && fTarget.SendMessage(&fRequest, this) == B_OK)
			fSent++;
		if (++fAnswered == fCount)
			release_sem(fDone);
	}

private:
	BMessenger	fTarget;
	BMessage	fRequest;
	int64		fCount;
	int32		fInFlight;
	int64		fSent = 0;
	int64		fAnswered = 0;
	sem_id		fDone;
};


void
BM_KitInFlight(benchmark::State& state)
{
	const int64 kRequests = 10000;
	TestRuntime runtime;
	pid_t app = -1;
	if (runtime.StartRegistrar() == B_OK) {
		app = runtime.Start("KitTestApp", { kSignature });
		runtime.WaitForApp(kSignature);
	}
	// Replies to a looper come to this process's socket, which an application opens.
	BApplication sender("application/x-vnd.bench-messaging-sender");
	BMessenger messenger(kSignature);
	BMessage request = make_request();
	double appCPU = 0;
	double hereCPU = 0;
	for (auto _ : state) {
		double before = cpu_milliseconds(app);
		double hereBefore = cpu_milliseconds(getpid());
		InFlightSender* looper = new InFlightSender(messenger, request, kRequests,
			kInFlight);
		looper->Run();
		bool answered = looper->SendAll();
		looper->Lock();
		looper->Quit();
		if (!answered) {
			state.SkipWithError("the replies stopped coming");
			break;
		}
		appCPU += cpu_milliseconds(app) - before;
		hereCPU += cpu_milliseconds(getpid()) - hereBefore;
	}
	double requests = std::max<double>(state.iterations() * kRequests, 1);
	state.counters["us/request"] = benchmark::Counter(requests,
		benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
	state.counters["CPU us/request"] = hereCPU * 1000 / requests;
	state.counters["app CPU us/request"] = appCPU * 1000 / requests;
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
		if (const Run* run = Median("BM_KitInFlight")) {
			printf("Asynchronous sends, replies to a looper, %d in flight: %.1f us a "
				"request, CPU %.1f us here and %.1f us in the application\n", kInFlight,
				Counter(*run, "us/request") * 1e6, Counter(*run, "CPU us/request"),
				Counter(*run, "app CPU us/request"));
		}
	}
};

} // namespace


// The machine may be shared: medians of several repetitions of each, interleaved so that
// a burst of load elsewhere falls on both alike.
BENCHMARK(BM_KitRoundTrip)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(9)
	->ReportAggregatesOnly(true);
BENCHMARK(BM_KitInFlight)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(5)
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

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
// back to a handler of this process, whose looper sends the next request as it takes a
// reply.
class InFlight {
public:
	InFlight(const BMessenger& target, const BMessage& request, int64 count, int32 inFlight)
		:
		fTarget(target),
		fRequest(request),
		fCount(count),
		fInFlight(inFlight)
	{
	}

	bool Start(BHandler* replyTo)
	{
		for (; fSent < fCount && fSent < fInFlight; fSent++) {
			if (fTarget.SendMessage(&fRequest, replyTo) != B_OK)
				return false;
		}
		return true;
	}

	// A reply came: sends the next request. True once every reply has come.
	bool Answered(BHandler* replyTo)
	{
		if (fSent < fCount && fTarget.SendMessage(&fRequest, replyTo) == B_OK)
			fSent++;
		return ++fAnswered == fCount;
	}

	int64 CountAnswered() const { return fAnswered; }

private:
	BMessenger	fTarget;
	BMessage	fRequest;
	int64		fCount;
	int32		fInFlight;
	int64		fSent = 0;
	int64		fAnswered = 0;
};


// The replies come to a looper of its own, through the I/O thread.
class InFlightSender : public BLooper {
public:
	InFlightSender(const InFlight& inFlight)
		:
		BLooper("in flight"),
		fInFlight(inFlight),
		fDone(create_sem(0, "in flight done"))
	{
	}

	~InFlightSender() override { delete_sem(fDone); }

	// Sends the first requests and waits until every reply has come; false when a
	// send failed or the replies took longer than a second.
	bool SendAll()
	{
		if (!Lock())
			return false;
		bool started = fInFlight.Start(this);
		Unlock();
		return started && acquire_sem_etc(fDone, 1, B_RELATIVE_TIMEOUT, 1000000) == B_OK;
	}

	void MessageReceived(BMessage* message) override
	{
		if (!message->IsReply())
			BLooper::MessageReceived(message);
		else if (fInFlight.Answered(this))
			release_sem(fDone);
	}

private:
	InFlight	fInFlight;
	sem_id		fDone;
};


// The replies come to the application's own looper, which reads its connections itself
// while it waits.
class InFlightApplication : public BApplication {
public:
	InFlightApplication(const InFlight& inFlight)
		:
		BApplication("application/x-vnd.bench-messaging-sender"),
		fInFlight(inFlight)
	{
	}

	// Runs until every reply has come; false when a send failed or the replies stopped
	// coming for a pulse.
	bool SendAll()
	{
		SetPulseRate(1000000);
		Run();
		return fAllAnswered;
	}

	void ReadyToRun() override
	{
		if (!fInFlight.Start(this))
			Quit();
	}

	void Pulse() override
	{
		if (fInFlight.CountAnswered() == fAnsweredAtPulse)
			Quit();
		fAnsweredAtPulse = fInFlight.CountAnswered();
	}

	void MessageReceived(BMessage* message) override
	{
		if (!message->IsReply())
			BApplication::MessageReceived(message);
		else if (fInFlight.Answered(this)) {
			fAllAnswered = true;
			Quit();
		}
	}

private:
	InFlight	fInFlight;
	int64		fAnsweredAtPulse = -1;
	bool		fAllAnswered = false;
};


// Requests kept in flight, replies to a looper of their own (toApplication false) or to
// the running application's looper.
void
kit_in_flight(benchmark::State& state, bool toApplication)
{
	const int64 kRequests = 10000;
	TestRuntime runtime;
	pid_t app = -1;
	if (runtime.StartRegistrar() == B_OK) {
		app = runtime.Start("KitTestApp", { kSignature });
		runtime.WaitForApp(kSignature);
	}
	BMessenger messenger(kSignature);
	BMessage request = make_request();
	double appCPU = 0;
	double hereCPU = 0;
	for (auto _ : state) {
		double before = cpu_milliseconds(app);
		double hereBefore = cpu_milliseconds(getpid());
		InFlight inFlight(messenger, request, kRequests, kInFlight);
		bool answered;
		if (toApplication) {
			InFlightApplication sender(inFlight);
			answered = sender.SendAll();
		} else {
			// Replies to a looper come to this process's socket, which an application
			// opens.
			BApplication application("application/x-vnd.bench-messaging-sender");
			InFlightSender* looper = new InFlightSender(inFlight);
			looper->Run();
			answered = looper->SendAll();
			looper->Lock();
			looper->Quit();
		}
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


void
BM_KitInFlight(benchmark::State& state)
{
	kit_in_flight(state, false);
}


void
BM_KitInFlightToApplication(benchmark::State& state)
{
	kit_in_flight(state, true);
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
		PrintInFlight("BM_KitInFlight", "a looper");
		PrintInFlight("BM_KitInFlightToApplication", "the application's looper");
	}

private:
	void PrintInFlight(const char* name, const char* looper)
	{
		if (const Run* run = Median(name)) {
			printf("Asynchronous sends, replies to %s, %d in flight: %.1f us a request, "
				"CPU %.1f us here and %.1f us in the application\n", looper, kInFlight,
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
BENCHMARK(BM_KitInFlightToApplication)->Unit(benchmark::kMicrosecond)->UseRealTime()
	->Repetitions(5)->ReportAggregatesOnly(true);
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

// The synchronous round trip between two kit processes (BMessenger::SendMessage with a
// reply, answered by a headless application) against a raw AF_UNIX ping-pong of the same
// number of bytes each way between two processes. Prints kit/raw: the goal is at most 1.5.
#include <Message.h>
#include <Messenger.h>

#include <benchmark/benchmark.h>

#include <signal.h>
#include <stdio.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "TestRuntime.h"
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


// What one direction of the kit's exchange puts on the socket for that request.
size_t
frame_bytes(const BMessage& request)
{
	return BPrivate::kFrameHeaderSize + BPrivate::kMessageHeadSize
		+ request.FlattenedSize();
}


bool
transfer(int fd, char* buffer, size_t size, bool sending)
{
	size_t done = 0;
	while (done < size) {
		ssize_t bytes = sending ? write(fd, buffer + done, size - done)
			: read(fd, buffer + done, size - done);
		if (bytes <= 0)
			return false;
		done += bytes;
	}
	return true;
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
	state.SetLabel(std::to_string(frame_bytes(request)) + " bytes each way");
	runtime.Stop(app);
}


void
BM_RawRoundTrip(benchmark::State& state)
{
	BMessage request = make_request();
	size_t size = frame_bytes(request);
	int pair[2];
	if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) {
		state.SkipWithError("socketpair failed");
		return;
	}
	pid_t echo = fork();
	if (echo == 0) {
		close(pair[0]);
		std::vector<char> buffer(size);
		while (transfer(pair[1], buffer.data(), size, false)
			&& transfer(pair[1], buffer.data(), size, true)) {
		}
		_exit(0);
	}
	close(pair[1]);

	std::vector<char> buffer(size, 'r');
	for (auto _ : state) {
		if (!transfer(pair[0], buffer.data(), size, true)
			|| !transfer(pair[0], buffer.data(), size, false)) {
			state.SkipWithError("echo failed");
			break;
		}
	}
	state.SetLabel(std::to_string(size) + " bytes each way");
	close(pair[0]);
	waitpid(echo, NULL, 0);
}


// The console's report, and the ratio of the two round trips at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
	void ReportRuns(const std::vector<Run>& runs) override
	{
		ConsoleReporter::ReportRuns(runs);
		for (const Run& run : runs) {
			// With repetitions, the median speaks for the benchmark.
			if (run.error_occurred
				|| (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median"))
				continue;
			std::string name = run.benchmark_name();
			fTimes[name.substr(0, name.find('/'))] = run.GetAdjustedRealTime();
		}
	}

	void Finalize() override
	{
		ConsoleReporter::Finalize();
		auto kit = fTimes.find("BM_KitRoundTrip");
		auto raw = fTimes.find("BM_RawRoundTrip");
		if (kit != fTimes.end() && raw != fTimes.end() && raw->second > 0) {
			printf("Synchronous round trip, kit / raw AF_UNIX: %.2f (goal: at most 1.5)\n",
				kit->second / raw->second);
		}
	}

private:
	std::map<std::string, double> fTimes;
};

} // namespace


// The machine may be shared: medians of several repetitions of each, interleaved so that
// a burst of load elsewhere falls on both alike.
BENCHMARK(BM_KitRoundTrip)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(9)
	->ReportAggregatesOnly(true);
BENCHMARK(BM_RawRoundTrip)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(9)
	->ReportAggregatesOnly(true);


int
main(int argc, char** argv)
{
	std::vector<char*> arguments(argv, argv + argc);
	char interleave[] = "--benchmark_enable_random_interleaving=true";
	arguments.insert(arguments.begin() + 1, interleave);
	int count = (int)arguments.size();
	benchmark::Initialize(&count, arguments.data());
	RatioReporter reporter;
	benchmark::RunSpecifiedBenchmarks(&reporter);
	benchmark::Shutdown();
	return 0;
}

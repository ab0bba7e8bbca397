#include "MedianReporter.h"


void
MedianReporter::ReportRuns(const std::vector<Run>& runs)
{
	ConsoleReporter::ReportRuns(runs);
	for (const Run& run : runs) {
		// With repetitions, the median speaks for the benchmark.
		if (run.error_occurred
			|| (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median"))
			continue;
		std::string name = run.benchmark_name();
		fRuns.insert_or_assign(name.substr(0, name.find('/')), run);
	}
}


const benchmark::BenchmarkReporter::Run*
MedianReporter::Median(const std::string& name) const
{
	auto found = fRuns.find(name);
	return found != fRuns.end() ? &found->second : nullptr;
}


double
MedianReporter::RealTime(const std::string& name) const
{
	const Run* run = Median(name);
	return run != nullptr ? run->GetAdjustedRealTime() : 0;
}


double
MedianReporter::Counter(const Run& run, const char* name)
{
	auto found = run.counters.find(name);
	return found != run.counters.end() ? found->second.value : 0;
}


int
run_interleaved(int argc, char** argv, MedianReporter& reporter)
{
	std::vector<char*> arguments(argv, argv + argc);
	char interleave[] = "--benchmark_enable_random_interleaving=true";
	arguments.insert(arguments.begin() + 1, interleave);
	int count = (int)arguments.size();
	benchmark::Initialize(&count, arguments.data());
	benchmark::RunSpecifiedBenchmarks(&reporter);
	benchmark::Shutdown();
	return 0;
}

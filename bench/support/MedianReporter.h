// The console report of a benchmark run that also keeps the run that speaks for each
// benchmark (the median of its repetitions, or its only run), so that a program can print
// ratios between benchmarks at the end.
#ifndef _MEDIAN_REPORTER_H
#define _MEDIAN_REPORTER_H

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class MedianReporter : public benchmark::ConsoleReporter {
public:
	void				ReportRuns(const std::vector<Run>& runs) override;

protected:
	// The kept run of a benchmark, by its name up to the first '/'; NULL when none ran
	// without error.
	const Run*			Median(const std::string& name) const;
	// Its real time in the benchmark's unit, 0 when none.
	double				RealTime(const std::string& name) const;
	// The value of a counter of run, 0 when it has none of that name.
	static double		Counter(const Run& run, const char* name);

private:
	std::map<std::string, Run> fRuns;
};

// Runs the benchmarks the command line selects, interleaved at random so that a burst of
// load elsewhere falls on each alike, reporting to reporter. The exit status for main().
int run_interleaved(int argc, char** argv, MedianReporter& reporter);

#endif // _MEDIAN_REPORTER_H

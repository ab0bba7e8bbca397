// A query over 100,000 files: a tree of 100 directories of 1,000 files each, one file
// in ten carrying an int32 "rating" attribute. Measures a query by name pattern, one by
// size, one by attribute, and a live query's fetch (which also watches each directory).
#include <Query.h>
#include <TypeConstants.h>
#include <Volume.h>

#include "MessageCollector.h"
#include "ScratchDirectory.h"
#include "storage/QueryWalker.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <memory>
#include <string>

namespace {

const int kDirectories = 100;
const int kFilesPerDirectory = 1000;


// The tree, made once for all the benchmarks of the run.
class Tree {
public:
	Tree()
	{
		for (int d = 0; d < kDirectories; d++) {
			std::string directory = fScratch / ("d" + std::to_string(d));
			mkdir(directory.c_str(), 0700);
			for (int f = 0; f < kFilesPerDirectory; f++) {
				char name[64];
				snprintf(name, sizeof(name), "/file-%d-%d.%s", d, f, f % 2 ? "txt" : "dat");
				std::string path = directory + name;
				int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
				if (fd < 0)
					continue;
				if (write(fd, name, f % 100) < 0)
					perror("write");
				if (f % 10 == 0) {
					// The kit's layout: the type, little-endian, then the data.
					unsigned char value[8] = {'G', 'N', 'O', 'L', (unsigned char)(f % 7), 0,
						0, 0};
					fsetxattr(fd, "user.rating", value, sizeof(value), 0);
				}
				close(fd);
			}
		}
		setenv(BPrivate::kQueryRootsVariable, fScratch.Path().c_str(), 1);
		struct stat info;
		stat(fScratch.Path().c_str(), &info);
		fVolume.SetTo(info.st_dev);
	}

	BVolume fVolume;

private:
	ScratchDirectory fScratch{"query-bench"};
};


Tree&
tree()
{
	static Tree sTree;
	return sTree;
}


void
run_query(benchmark::State& state, const char* predicate, bool live)
{
	Tree& files = tree();
	int64 found = 0;
	for (auto _ : state) {
		std::unique_ptr<MessageCollector> collector;
		BQuery query;
		query.SetVolume(&files.fVolume);
		query.SetPredicate(predicate);
		if (live) {
			collector = std::make_unique<MessageCollector>();
			query.SetTarget(collector->Messenger());
		}
		if (query.Fetch() != B_OK) {
			state.SkipWithError("the query did not start");
			return;
		}
		entry_ref ref;
		found = 0;
		while (query.GetNextRef(&ref) == B_OK)
			found++;
	}
	state.counters["matches"] = found;
	state.counters["entries/s"] = benchmark::Counter(
		(double)kDirectories * kFilesPerDirectory * state.iterations(),
		benchmark::Counter::kIsRate);
}


void
BM_QueryByName(benchmark::State& state)
{
	run_query(state, "name==\"*-7-1*.txt\"", false);
}
BENCHMARK(BM_QueryByName)->Unit(benchmark::kMillisecond)->Iterations(3);


void
BM_QueryBySize(benchmark::State& state)
{
	run_query(state, "(size>90)&&(name==\"*.dat\")", false);
}
BENCHMARK(BM_QueryBySize)->Unit(benchmark::kMillisecond)->Iterations(3);


void
BM_QueryByAttribute(benchmark::State& state)
{
	run_query(state, "rating>=5", false);
}
BENCHMARK(BM_QueryByAttribute)->Unit(benchmark::kMillisecond)->Iterations(3);


void
BM_LiveQueryFetch(benchmark::State& state)
{
	run_query(state, "name==\"*-7-1*.txt\"", true);
}
BENCHMARK(BM_LiveQueryFetch)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();

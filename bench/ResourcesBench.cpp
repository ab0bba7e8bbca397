// What an application pays for its resources: opening its executable's container and
// finding a resource, as every icon load and every start-up does.
#include <File.h>
#include <Resources.h>

#include "app/AppIdentity.h"

#include <benchmark/benchmark.h>


#include <string>

namespace {

// The build attaches the program's resources to this executable, as to the program itself.
std::string
program_container()
{
	return "/proc/self/exe";
}


void
BM_OpenAndLoadIcon(benchmark::State& state)
{
	BFile file(program_container().c_str(), B_READ_ONLY);
	if (file.InitCheck() != B_OK) {
		state.SkipWithError("the program's resources are not built");
		return;
	}
	for (auto _ : state) {
		BResources resources(&file);
		size_t size;
		benchmark::DoNotOptimize(resources.LoadResource('MSGG', 20, &size));
	}
}
BENCHMARK(BM_OpenAndLoadIcon);


void
BM_ReadAppIdentity(benchmark::State& state)
{
	std::string path = program_container();
	for (auto _ : state) {
		BPrivate::app_identity identity;
		if (BPrivate::read_app_identity(path.c_str(), &identity) != B_OK) {
			state.SkipWithError("the program's resources are not built");
			return;
		}
		benchmark::DoNotOptimize(identity.flags);
	}
}
BENCHMARK(BM_ReadAppIdentity);

} // namespace

BENCHMARK_MAIN();

#include "app/AppFlags.h"

#include <Roster.h>

#include <atomic>

namespace BPrivate {

namespace {

std::atomic<AppFlagsReader> stReader{nullptr};
std::atomic<uint32> stDefaultFlags{B_MULTIPLE_LAUNCH};

} // namespace


void
set_app_flags_reader(AppFlagsReader reader)
{
	stReader = reader;
}


void
set_default_app_flags(uint32 flags)
{
	stDefaultFlags = flags;
}


uint32
app_flags_for(const char* path)
{
	uint32 flags;
	AppFlagsReader reader = stReader;
	if (reader != nullptr && path != nullptr && reader(path, &flags))
		return flags;
	return stDefaultFlags;
}

} // namespace BPrivate

#include "app/AppFlags.h"

#include "app/AppIdentity.h"

#include <Roster.h>

#include <atomic>

namespace BPrivate {

namespace {

// The flags the executable's own resources record.
bool
read_recorded_flags(const char* path, uint32* flags)
{
	app_identity identity;
	if (read_app_identity(path, &identity) != B_OK || !identity.hasFlags)
		return false;
	*flags = identity.flags;
	return true;
}


std::atomic<AppFlagsReader> stReader{read_recorded_flags};
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

// An application's identity as its executable records it: read by the kit at start-up.
//
// BApplication reads it through app_flags_for() (app/AppFlags.h), whose default reader
// calls
//
//     BPrivate::app_identity identity;
//     if (BPrivate::read_app_identity(path_of_own_executable, &identity) == B_OK) ...
//
// with the path of the running executable. On B_OK, identity.flags is what app_info.flags
// carries (the launch mode in its low bits, B_BACKGROUND_APP, B_ARGV_ONLY), and
// identity.signature, when not empty, is the signature the executable was built with. A
// failure means the file is unreadable or its resources are damaged; the application then
// runs with its constructor's signature and the default flags.
#ifndef _APP_IDENTITY_H
#define _APP_IDENTITY_H

#include <AppFileInfo.h>
#include <Roster.h>
#include <StorageDefs.h>
#include <SupportDefs.h>

namespace BPrivate {

// The launch mode of an executable that records no flags.
const uint32 kDefaultAppFlags = B_MULTIPLE_LAUNCH;

struct app_identity {
	char			signature[B_MIME_TYPE_LENGTH];	// "" when none is recorded
	bool			hasFlags;
	uint32			flags;				// kDefaultAppFlags when none are recorded
	bool			hasVersion;
	version_info	appVersion;			// zeroed when hasVersion is false
	version_info	systemVersion;
};

// B_OK with every record the executable carries (missing ones take the defaults above);
// the status of opening the file or B_BAD_DATA for damaged resources otherwise.
status_t read_app_identity(const char* executablePath, app_identity* identity);

} // namespace BPrivate

#endif // _APP_IDENTITY_H

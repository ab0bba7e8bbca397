// An application's identity as its executable records it: read by the kit at start-up.
//
// For BApplication (and the registrar's launch handling): at construction, call
//
//     BPrivate::app_identity identity;
//     if (BPrivate::read_app_identity(path_of_own_executable, &identity) == B_OK) ...
//
// with the path of the running executable (readlink of /proc/self/exe). On B_OK,
// identity.flags is what app_info.flags should carry (B_SINGLE_LAUNCH and the other launch
// modes in its low bits, B_BACKGROUND_APP, B_ARGV_ONLY), and identity.signature, when not
// empty, is the signature the executable was built with: the one to compare with the
// constructor's argument. A failure means the file is unreadable or its resources are
// damaged; the application then runs with the constructor's signature and multiple launch.
#ifndef _APP_IDENTITY_H
#define _APP_IDENTITY_H

#include <AppFileInfo.h>
#include <StorageDefs.h>
#include <SupportDefs.h>

namespace BPrivate {

// The launch mode of an executable that records no flags.
const uint32 kDefaultAppFlags = 0x1;	// B_MULTIPLE_LAUNCH

struct app_identity {
	char			signature[B_MIME_TYPE_LENGTH];	// "" when none is recorded
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

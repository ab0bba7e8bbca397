// Where an application's launch flags (B_SINGLE_LAUNCH ...) come from: by default the
// executable's own resources (app/AppIdentity.h); another reader may be installed.
// When the executable records none, the default applies (B_MULTIPLE_LAUNCH unless
// changed).
#ifndef _APP_FLAGS_H
#define _APP_FLAGS_H

#include <SupportDefs.h>

namespace BPrivate {

// True with *flags set when the executable at path declares its flags.
typedef bool (*AppFlagsReader)(const char* path, uint32* flags);

void set_app_flags_reader(AppFlagsReader reader);
void set_default_app_flags(uint32 flags);
uint32 app_flags_for(const char* path);

} // namespace BPrivate

#endif // _APP_FLAGS_H

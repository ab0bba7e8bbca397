#include "app/AppIdentity.h"

#include <File.h>
#include <Resources.h>

#include <string.h>

namespace BPrivate {

status_t
read_app_identity(const char* executablePath, app_identity* identity)
{
	if (executablePath == NULL || identity == NULL)
		return B_BAD_VALUE;
	memset(identity, 0, sizeof(*identity));
	identity->flags = kDefaultAppFlags;

	BFile file(executablePath, B_READ_ONLY);
	if (file.InitCheck() != B_OK)
		return file.InitCheck();
	// BAppFileInfo reads a file whose resources are damaged through its attributes alone;
	// an executable's identity is in its resources, so damage there is an error.
	BResources resources;
	status_t status = resources.SetTo(&file);
	if (status != B_OK)
		return status;
	BAppFileInfo info(&file);
	if (info.InitCheck() != B_OK)
		return info.InitCheck();

	// Each record is optional, but one that is there must be well formed.
	status = info.GetSignature(identity->signature);
	if (status != B_OK && status != B_ENTRY_NOT_FOUND)
		return status;
	status = info.GetAppFlags(&identity->flags);
	if (status != B_OK && status != B_ENTRY_NOT_FOUND)
		return status;
	identity->hasFlags = status == B_OK;
	status = info.GetVersionInfo(&identity->appVersion, B_APP_VERSION_KIND);
	if (status == B_OK)
		status = info.GetVersionInfo(&identity->systemVersion, B_SYSTEM_VERSION_KIND);
	if (status != B_OK && status != B_ENTRY_NOT_FOUND)
		return status;
	identity->hasVersion = status == B_OK;
	if (!identity->hasVersion) {
		memset(&identity->appVersion, 0, sizeof(identity->appVersion));
		memset(&identity->systemVersion, 0, sizeof(identity->systemVersion));
	}
	return B_OK;
}

} // namespace BPrivate

// What an application's executable says about it: its signature, its launch flags and its
// version records, read from the file's resources.
#ifndef _APP_FILE_INFO_H
#define _APP_FILE_INFO_H

#include <StorageDefs.h>
#include <SupportDefs.h>

class BFile;
class BResources;

enum version_kind {
	B_APP_VERSION_KIND,
	B_SYSTEM_VERSION_KIND
};

// The variety of a version record.
enum {
	B_DEVELOPMENT_VERSION = 0,
	B_ALPHA_VERSION,
	B_BETA_VERSION,
	B_GAMMA_VERSION,
	B_GOLDEN_MASTER_VERSION,
	B_FINAL_VERSION
};

struct version_info {
	uint32	major;
	uint32	middle;
	uint32	minor;
	uint32	variety;
	uint32	internal;
	char	short_info[64];
	char	long_info[256];
};

class BAppFileInfo {
public:
								BAppFileInfo();
								BAppFileInfo(BFile* file);
								~BAppFileInfo();

	// Reads the resources of file (its own copy; file stays the caller's).
			status_t			SetTo(BFile* file);
			status_t			InitCheck() const;

	// signature holds B_MIME_TYPE_LENGTH bytes. B_ENTRY_NOT_FOUND when the file carries
	// no such record, B_BAD_DATA when the record is malformed.
			status_t			GetSignature(char* signature) const;
			status_t			GetAppFlags(uint32* flags) const;
			status_t			GetVersionInfo(version_info* info,
									version_kind kind) const;

private:
								BAppFileInfo(const BAppFileInfo&);
			BAppFileInfo&		operator=(const BAppFileInfo&);

			BResources*			fResources;
			status_t			fStatus;
};

#endif // _APP_FILE_INFO_H

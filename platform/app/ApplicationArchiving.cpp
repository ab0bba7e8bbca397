// An application's archive: what the looper keeps, its signature ("mime_sig") and its
// pulse rate ("_pulse"), as the platform archives them (docs/archives.md).
#include <Application.h>

#include <Message.h>
#include <StorageDefs.h>

#include <string.h>

#include "app/ArchivedPulseRate.h"

namespace {

// The archived signature, or NULL when there is none a roster could hold.
const char*
archived_signature(const BMessage* archive)
{
	const char* signature = NULL;
	if (archive == NULL || archive->FindString("mime_sig", &signature) != B_OK
		|| strnlen(signature, B_MIME_TYPE_LENGTH) >= B_MIME_TYPE_LENGTH) {
		return NULL;
	}
	return signature;
}

} // namespace


BApplication::BApplication(BMessage* archive)
	:
	BLooper(archived_signature(archive))
{
	_Init(archived_signature(archive));
	BPrivate::find_archived_pulse_rate(archive, &fPulseRate);
}


// Nothing comes of an archive without a signature: the application could not register.
BArchivable*
BApplication::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BApplication")
		|| archived_signature(archive) == NULL) {
		return NULL;
	}
	return new BApplication(archive);
}


status_t
BApplication::Archive(BMessage* archive, bool deep) const
{
	status_t status = BLooper::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddString("mime_sig", Name());
	if (status == B_OK)
		status = archive->AddInt64("_pulse", fPulseRate);
	return status;
}

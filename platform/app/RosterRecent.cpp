// BRoster's recent documents, folders and applications.
#include <Roster.h>

#include <Application.h>
#include <Entry.h>
#include <Message.h>
#include <Node.h>
#include <NodeInfo.h>
#include <Path.h>

#include <strings.h>

#include "app/RecentEntries.h"

using namespace BPrivate;

namespace {

// Whether the file at path has type, or a type of supertype type.
bool
has_type(const char* path, const char* type)
{
	BNode node(path);
	BNodeInfo info(&node);
	char actual[B_MIME_TYPE_LENGTH];
	if (info.GetType(actual) != B_OK)
		return false;
	if (strcasecmp(actual, type) == 0)
		return true;
	size_t length = strlen(type);
	return strchr(type, '/') == NULL && strncasecmp(actual, type, length) == 0
		&& actual[length] == '/';
}


// Adds the refs of the entries of kind that pass accept, up to maxCount.
template<typename Accept>
void
add_refs(BMessage* refList, int32 maxCount, recent_kind kind, Accept accept)
{
	if (refList == NULL || maxCount <= 0)
		return;
	int32 added = 0;
	for (const recent_entry& entry : recent_entries(kind)) {
		if (added >= maxCount)
			break;
		entry_ref ref;
		if (!accept(entry) || get_ref_for_path(entry.path.c_str(), &ref) != B_OK
			|| !BEntry(&ref).Exists())
			continue;
		refList->AddRef("refs", &ref);
		added++;
	}
}


bool
signature_matches(const recent_entry& entry, const char* signature)
{
	return signature == NULL || strcasecmp(entry.signature.c_str(), signature) == 0;
}


void
add_recent(recent_kind kind, const entry_ref* ref, const char* signature)
{
	if (ref == NULL)
		return;
	BPath path(ref);
	if (path.InitCheck() != B_OK)
		return;
	if (signature == NULL && be_app != NULL)
		signature = be_app->Name();
	add_recent_entry(kind, path.Path(), signature);
}

} // namespace


void
BRoster::GetRecentDocuments(BMessage* refList, int32 maxCount, const char* fileType,
	const char* signature) const
{
	add_refs(refList, maxCount, kRecentDocument, [&](const recent_entry& entry) {
		return signature_matches(entry, signature)
			&& (fileType == NULL || has_type(entry.path.c_str(), fileType));
	});
}


void
BRoster::GetRecentDocuments(BMessage* refList, int32 maxCount, const char* fileTypes[],
	int32 fileTypesCount, const char* signature) const
{
	add_refs(refList, maxCount, kRecentDocument, [&](const recent_entry& entry) {
		if (!signature_matches(entry, signature))
			return false;
		if (fileTypes == NULL || fileTypesCount <= 0)
			return true;
		for (int32 i = 0; i < fileTypesCount; i++) {
			if (fileTypes[i] != NULL && has_type(entry.path.c_str(), fileTypes[i]))
				return true;
		}
		return false;
	});
}


void
BRoster::GetRecentFolders(BMessage* refList, int32 maxCount, const char* signature) const
{
	add_refs(refList, maxCount, kRecentFolder, [&](const recent_entry& entry) {
		return signature_matches(entry, signature);
	});
}


void
BRoster::GetRecentApps(BMessage* refList, int32 maxCount) const
{
	add_refs(refList, maxCount, kRecentApp, [](const recent_entry&) { return true; });
}


void
BRoster::AddToRecentDocuments(const entry_ref* document, const char* signature) const
{
	add_recent(kRecentDocument, document, signature);
}


void
BRoster::AddToRecentFolders(const entry_ref* folder, const char* signature) const
{
	add_recent(kRecentFolder, folder, signature);
}

#include "app/MimeWatch.h"

#include "app/MimeDatabase.h"

#include <AppDefs.h>
#include <Directory.h>
#include <MimeType.h>

#include <dirent.h>
#include <string.h>

#include <algorithm>

namespace {

using namespace BPrivate::MimeRecord;

const uint32 kDatabaseEvents = IN_CREATE | IN_MOVED_TO | IN_ONLYDIR | IN_DONT_FOLLOW;
const uint32 kFolderEvents = IN_MOVED_TO | IN_DELETE | IN_MOVED_FROM | IN_ONLYDIR
	| IN_DONT_FOLLOW;
const char kIconPrefixLarge[] = "BEOS:L:";
const char kIconPrefixMini[] = "BEOS:M:";
const char kStandardIcon[] = "STD_ICON";


bool
same_field(const BMessage& a, const BMessage& b, const char* name)
{
	type_code typeA, typeB;
	int32 countA, countB;
	if (a.GetInfo(name, &typeA, &countA) != B_OK || b.GetInfo(name, &typeB, &countB) != B_OK)
		return false;
	if (typeA != typeB || countA != countB)
		return false;
	for (int32 i = 0; i < countA; i++) {
		const void* dataA;
		const void* dataB;
		ssize_t sizeA, sizeB;
		if (a.FindData(name, typeA, i, &dataA, &sizeA) != B_OK
			|| b.FindData(name, typeB, i, &dataB, &sizeB) != B_OK
			|| sizeA != sizeB || memcmp(dataA, dataB, sizeA) != 0)
			return false;
	}
	return true;
}


BMessage
notice_for(const char* type, int32 which, int32 action = B_META_MIME_MODIFIED)
{
	BMessage notice(B_META_MIME_CHANGED);
	notice.AddString("be:type", type);
	notice.AddInt32("be:which", which);
	notice.AddInt32("be:action", action);
	return notice;
}


// The notice for a change of the field name, if it is one that is announced.
bool
notice_for_field(const char* type, const char* name, BMessage* notice)
{
	static const struct {
		const char* field;
		int32 which;
	} kFields[] = {
		{ kPreferredAppField, B_PREFERRED_APP_CHANGED },
		{ kShortDescriptionField, B_SHORT_DESCRIPTION_CHANGED },
		{ kLongDescriptionField, B_LONG_DESCRIPTION_CHANGED },
		{ B_MIME_EXTENSIONS_FIELD, B_FILE_EXTENSIONS_CHANGED },
		{ kAppHintField, B_APP_HINT_CHANGED },
		{ kAttrInfoField, B_ATTR_INFO_CHANGED },
		{ kSupportedTypesField, B_SUPPORTED_TYPES_CHANGED },
	};
	for (const auto& field : kFields) {
		if (strcmp(name, field.field) == 0) {
			*notice = notice_for(type, field.which);
			return true;
		}
	}
	if (strcmp(name, kVectorIconField) == 0) {
		*notice = notice_for(type, B_ICON_CHANGED);
		notice->AddBool("be:large_icon", true);
		return true;
	}
	bool large = strncmp(name, kIconPrefixLarge, strlen(kIconPrefixLarge)) == 0;
	if (!large && strncmp(name, kIconPrefixMini, strlen(kIconPrefixMini)) != 0)
		return false;
	const char* rest = name + strlen(kIconPrefixLarge);
	if (strcmp(rest, kStandardIcon) == 0)
		*notice = notice_for(type, B_ICON_CHANGED);
	else {
		*notice = notice_for(type, B_ICON_FOR_TYPE_CHANGED);
		notice->AddString("be:extra_type", rest);
	}
	notice->AddBool("be:large_icon", large);
	return true;
}


void
add_field_names(const BMessage& record, std::vector<std::string>* names)
{
	const char* name;
	type_code type;
	int32 count;
	for (int32 i = 0; record.GetInfo(B_ANY_TYPE, i, &name, &type, &count) == B_OK; i++) {
		if (std::find(names->begin(), names->end(), name) == names->end())
			names->push_back(name);
	}
}


// One notice for each announced field that differs between the records.
void
add_differences(const BMessage& before, const BMessage& after, const char* type,
	std::vector<BMessage>* notices)
{
	std::vector<std::string> names;
	add_field_names(before, &names);
	add_field_names(after, &names);
	for (const std::string& name : names) {
		BMessage notice;
		if (!same_field(before, after, name.c_str())
			&& notice_for_field(type, name.c_str(), &notice))
			notices->push_back(notice);
	}
}


std::string
type_of(const BMessage& record, const std::string& supertype, const std::string& leaf)
{
	const char* type;
	if (record.FindString(kTypeField, &type) == B_OK)
		return type;
	return leaf == BPrivate::kSupertypeRecord ? supertype : supertype + "/" + leaf;
}

} // namespace


namespace BPrivate {

MimeWatch*
MimeWatch::Default()
{
	// Kept for the life of the process, as its thread is.
	static MimeWatch* stWatch = new MimeWatch;
	return stWatch;
}


MimeWatch::MimeWatch()
	:
	fDatabaseWatch(-1)
{
}


status_t
MimeWatch::Add(const BMessenger& target)
{
	if (!target.IsValid())
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> locker(fLock);
	if (std::find(fWatchers.begin(), fWatchers.end(), target) != fWatchers.end())
		return B_BAD_VALUE;
	status_t status = FollowDatabaseLocked();
	if (status != B_OK)
		return status;
	fWatchers.push_back(target);
	return B_OK;
}


status_t
MimeWatch::Remove(const BMessenger& target)
{
	std::lock_guard<std::mutex> locker(fLock);
	auto found = std::find(fWatchers.begin(), fWatchers.end(), target);
	if (found == fWatchers.end())
		return B_BAD_VALUE;
	fWatchers.erase(found);
	return B_OK;
}


// Follows the database where it is now: it moves only when tests point the kit at
// another data directory, and a watcher added then wants the new one.
status_t
MimeWatch::FollowDatabaseLocked()
{
	std::string database;
	status_t status = database_path(database);
	if (status == B_OK)
		status = create_directory(database.c_str(), kDatabaseMode);
	if (status != B_OK)
		return status;
	if (!fLoop.IsRunning()) {
		status = fLoop.Start([this](const std::vector<const inotify_event*>& events) {
			EventsRead(events);
			return false;
		});
		if (status != B_OK)
			return status;
	}
	if (database != fDatabase || fDatabaseWatch < 0) {
		ForgetDatabaseLocked();
		fDatabaseWatch = fLoop.AddWatch(database.c_str(), kDatabaseEvents);
		if (fDatabaseWatch < 0)
			return fDatabaseWatch;
		fDatabase = database;
		DIR* stream = opendir(database.c_str());
		while (struct dirent* entry = stream != NULL ? readdir(stream) : NULL) {
			if (entry->d_name[0] != '.' && BMimeType::IsValid(entry->d_name))
				WatchSupertypeLocked(entry->d_name, NULL);
		}
		if (stream != NULL)
			closedir(stream);
	}
	return B_OK;
}


void
MimeWatch::ForgetDatabaseLocked()
{
	fLoop.RemoveWatch(fDatabaseWatch);
	for (const auto& supertype : fSupertypes)
		fLoop.RemoveWatch(supertype.first);
	fDatabaseWatch = -1;
	fSupertypes.clear();
	fRecords.clear();
	fDatabase.clear();
}


void
MimeWatch::WatchSupertypeLocked(const std::string& supertype, std::vector<BMessage>* notices)
{
	std::string folder = fDatabase + "/" + supertype;
	int watch = fLoop.AddWatch(folder.c_str(), kFolderEvents);
	if (watch < 0)
		return;
	fSupertypes[watch] = supertype;
	// Records written before the watch began are read now.
	DIR* stream = opendir(folder.c_str());
	if (stream == NULL)
		return;
	while (struct dirent* entry = readdir(stream)) {
		if (entry->d_name[0] == '.')
			continue;
		if (notices != NULL)
			RecordChangedLocked(supertype, entry->d_name, false, notices);
		else {
			BMessage record;
			if (read_record(folder + "/" + entry->d_name, &record) == B_OK)
				fRecords[supertype + "/" + entry->d_name] = record;
		}
	}
	closedir(stream);
}


void
MimeWatch::RecordChangedLocked(const std::string& supertype, const std::string& leaf,
	bool removed, std::vector<BMessage>* notices)
{
	std::string key = supertype + "/" + leaf;
	auto known = fRecords.find(key);
	if (removed) {
		if (known == fRecords.end())
			return;
		std::string type = type_of(known->second, supertype, leaf);
		notices->push_back(notice_for(type.c_str(), B_MIME_TYPE_DELETED,
			B_META_MIME_DELETED));
		fRecords.erase(known);
		return;
	}
	BMessage record;
	if (read_record(fDatabase + "/" + key, &record) != B_OK)
		return;
	std::string type = type_of(record, supertype, leaf);
	if (known == fRecords.end()) {
		notices->push_back(notice_for(type.c_str(), B_MIME_TYPE_CREATED));
		add_differences(BMessage(), record, type.c_str(), notices);
	} else
		add_differences(known->second, record, type.c_str(), notices);
	fRecords[key] = record;
}


void
MimeWatch::EventsRead(const std::vector<const inotify_event*>& events)
{
	std::vector<BMessage> notices;
	std::vector<BMessenger> targets;
	{
		std::lock_guard<std::mutex> locker(fLock);
		for (const inotify_event* event : events) {
			if (event->mask & IN_IGNORED) {
				fSupertypes.erase(event->wd);
				continue;
			}
			if (event->len == 0 || event->name[0] == '.')
				continue;
			if (event->wd == fDatabaseWatch) {
				if ((event->mask & IN_ISDIR) != 0 && BMimeType::IsValid(event->name))
					WatchSupertypeLocked(event->name, &notices);
				continue;
			}
			auto supertype = fSupertypes.find(event->wd);
			if (supertype != fSupertypes.end()) {
				RecordChangedLocked(supertype->second, event->name,
					(event->mask & (IN_DELETE | IN_MOVED_FROM)) != 0, &notices);
			}
		}
		if (!notices.empty())
			targets = fWatchers;
	}
	// Never waits: a watcher whose queue is full misses these notices, not the others.
	for (const BMessenger& target : targets) {
		for (BMessage& notice : notices)
			target.SendMessage(&notice, (BHandler*)NULL, 0);
	}
}

} // namespace BPrivate

#include <TranslatorRoster.h>

#include <Directory.h>
#include <Entry.h>
#include <FindDirectory.h>
#include <Message.h>
#include <Path.h>
#include <String.h>
#include <Translator.h>

#include <stdlib.h>
#include <sys/stat.h>
#include <string.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "translation/AddOnTranslator.h"
#include "translation/BuiltinTranslators.h"

namespace BPrivate {

// A roster's translators. Calls take a reference to the translators they run and drop the
// lock while running them, so a slow translator holds up no other thread's roster call.
class TranslatorList {
public:
	struct Entry {
		translator_id	id;
		BTranslator*	translator;
		std::string		path;	// the add-on's file; empty for the application's own
	};

			std::mutex			fLock;
			std::vector<Entry>	fEntries;
			translator_id		fNextId = 1;
};

} // namespace BPrivate

using BPrivate::TranslatorList;

namespace {

const char* const kArchivePathField = "be:translator_path";

// A reference to one translator of a roster, taken under the roster's lock.
class TranslatorRef {
public:
	TranslatorRef(TranslatorList* list, translator_id id)
		:
		fTranslator(NULL)
	{
		std::lock_guard<std::mutex> locker(list->fLock);
		for (const TranslatorList::Entry& entry : list->fEntries) {
			if (entry.id == id) {
				fTranslator = entry.translator->Acquire();
				break;
			}
		}
	}

	~TranslatorRef()
	{
		if (fTranslator != NULL)
			fTranslator->Release();
	}

	BTranslator* operator->() const { return fTranslator; }
	bool IsValid() const { return fTranslator != NULL; }

private:
	TranslatorRef(const TranslatorRef&);
	TranslatorRef& operator=(const TranslatorRef&);

	BTranslator* fTranslator;
};


// The entry of a translator's input formats that matches the caller's hints, if any.
const translation_format*
hinted_format(BTranslator* translator, uint32 hintType, const char* hintMIME)
{
	int32 count = 0;
	const translation_format* formats = translator->InputFormats(&count);
	if (formats == NULL)
		return NULL;
	for (int32 i = 0; i < count; i++) {
		if ((hintType != 0 && formats[i].type == hintType)
			|| (hintMIME != NULL && strcasecmp(formats[i].MIME, hintMIME) == 0))
			return &formats[i];
	}
	return NULL;
}


// Whether a translator that lists what it writes lists type; one that lists nothing is
// asked anyway.
bool
writes_type(BTranslator* translator, uint32 type)
{
	int32 count = 0;
	const translation_format* formats = translator->OutputFormats(&count);
	if (type == 0 || formats == NULL || count == 0)
		return true;
	for (int32 i = 0; i < count; i++) {
		if (formats[i].type == type)
			return true;
	}
	return false;
}


std::vector<std::string>
split_colon_list(const std::string& list)
{
	std::vector<std::string> parts;
	size_t start = 0;
	while (start <= list.size()) {
		size_t end = list.find(':', start);
		if (end == std::string::npos)
			end = list.size();
		if (end > start)
			parts.push_back(list.substr(start, end - start));
		start = end + 1;
	}
	return parts;
}


// What AddTranslators(NULL) loads: the TRANSLATORS variable's list, else the user's, the
// site's and the kit's translators folders, in that order.
std::vector<std::string>
default_translator_folders()
{
	if (const char* variable = getenv("TRANSLATORS"))
		return split_colon_list(variable);
	std::vector<std::string> folders;
	const directory_which kFolders[] = { B_USER_TRANSLATORS_DIRECTORY,
		B_COMMON_TRANSLATORS_DIRECTORY, B_BEOS_TRANSLATORS_DIRECTORY };
	for (directory_which which : kFolders) {
		BPath path;
		if (find_directory(which, &path) == B_OK)
			folders.push_back(path.Path());
	}
	return folders;
}


// The files a folder holds, sorted so that the order translators are added in (which
// decides between equally good ones) does not depend on the file system.
std::vector<std::string>
files_of(const std::string& path)
{
	std::vector<std::string> files;
	struct stat st;
	if (stat(path.c_str(), &st) != 0)
		return files;
	if (!S_ISDIR(st.st_mode)) {
		files.push_back(path);
		return files;
	}
	BDirectory folder(path.c_str());
	BEntry child;
	while (folder.GetNextEntry(&child, true) == B_OK) {
		BPath childPath;
		if (child.GetPath(&childPath) == B_OK && stat(childPath.Path(), &st) == 0
			&& S_ISREG(st.st_mode))
			files.push_back(childPath.Path());
	}
	std::sort(files.begin(), files.end());
	return files;
}


std::string
leaf_of(const std::string& path)
{
	size_t slash = path.rfind('/');
	return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace


BTranslatorRoster::BTranslatorRoster()
	:
	fList(new TranslatorList)
{
}


BTranslatorRoster::BTranslatorRoster(BMessage* model)
	:
	BArchivable(model),
	fList(new TranslatorList)
{
	const char* path;
	for (int32 i = 0; model != NULL
		&& model->FindString(kArchivePathField, i, &path) == B_OK; i++)
		AddTranslators(path);
}


BTranslatorRoster::~BTranslatorRoster()
{
	for (const TranslatorList::Entry& entry : fList->fEntries)
		entry.translator->Release();
	delete fList;
}


status_t
BTranslatorRoster::Archive(BMessage* into, bool deep) const
{
	status_t status = BArchivable::Archive(into, deep);
	std::lock_guard<std::mutex> locker(fList->fLock);
	for (const TranslatorList::Entry& entry : fList->fEntries) {
		if (status == B_OK && !entry.path.empty())
			status = into->AddString(kArchivePathField, entry.path.c_str());
	}
	return status;
}


BArchivable*
BTranslatorRoster::Instantiate(BMessage* from)
{
	if (!validate_instantiation(from, "BTranslatorRoster"))
		return NULL;
	return new BTranslatorRoster(from);
}


const char*
BTranslatorRoster::Version(int32* outCurVersion, int32* outMinVersion, int32 inAppVersion)
{
	if (outCurVersion != NULL)
		*outCurVersion = B_TRANSLATION_CURRENT_VERSION;
	if (outMinVersion != NULL)
		*outMinVersion = B_TRANSLATION_MIN_VERSION;
	return "Translation Kit v5.0";
}


BTranslatorRoster*
BTranslatorRoster::Default()
{
	static BTranslatorRoster* sDefault = [] {
		BTranslatorRoster* roster = new BTranslatorRoster;
		BTranslator* (*const makers[])() = { BPrivate::make_png_translator,
			BPrivate::make_jpeg_translator, BPrivate::make_gif_translator,
			BPrivate::make_bmp_translator, BPrivate::make_ppm_translator,
			BPrivate::make_styled_text_translator };
		for (BTranslator* (*make)() : makers) {
			BTranslator* translator = make();
			roster->AddTranslator(translator);
			translator->Release();
		}
		roster->AddTranslators(NULL);
		return roster;
	}();
	return sDefault;
}


status_t
BTranslatorRoster::AddTranslators(const char* loadPath)
{
	status_t result = B_OK;
	int32 loaded = 0;
	std::vector<std::string> parts = loadPath != NULL
		? split_colon_list(loadPath) : default_translator_folders();
	for (const std::string& part : parts) {
		for (const std::string& file : files_of(part)) {
			// An add-on of a name already loaded is the same translator in a folder
			// searched later (the user's folder comes before the system's).
			bool known = false;
			{
				std::lock_guard<std::mutex> locker(fList->fLock);
				for (const TranslatorList::Entry& entry : fList->fEntries) {
					if (!entry.path.empty() && leaf_of(entry.path) == leaf_of(file))
						known = true;
				}
			}
			if (known)
				continue;
			status_t status;
			BPrivate::AddOnTranslator* translator
				= BPrivate::AddOnTranslator::Load(file.c_str(), &status);
			if (translator == NULL) {
				result = status;
				continue;
			}
			std::lock_guard<std::mutex> locker(fList->fLock);
			fList->fEntries.push_back({ fList->fNextId++, translator, translator->Path() });
			loaded++;
		}
	}
	return loaded > 0 ? B_OK : result;
}


status_t
BTranslatorRoster::AddTranslator(BTranslator* translator)
{
	if (translator == NULL)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> locker(fList->fLock);
	for (const TranslatorList::Entry& entry : fList->fEntries) {
		if (entry.translator == translator)
			return B_OK;
	}
	fList->fEntries.push_back({ fList->fNextId++, translator->Acquire(), std::string() });
	return B_OK;
}


status_t
BTranslatorRoster::Identify(BPositionIO* source, BMessage* ioExtension,
	translator_info* outInfo, uint32 inHintType, const char* inHintMIME, uint32 inWantType)
{
	if (outInfo == NULL)
		return B_BAD_VALUE;
	translator_info* infos = NULL;
	int32 count = 0;
	status_t status = GetTranslators(source, ioExtension, &infos, &count, inHintType,
		inHintMIME, inWantType);
	if (status != B_OK)
		return status;
	*outInfo = infos[0];
	delete[] infos;
	return B_OK;
}


status_t
BTranslatorRoster::GetTranslators(BPositionIO* source, BMessage* ioExtension,
	translator_info** outInfo, int32* outNumInfo, uint32 inHintType, const char* inHintMIME,
	uint32 inWantType)
{
	if (source == NULL || outInfo == NULL || outNumInfo == NULL)
		return B_BAD_VALUE;
	*outInfo = NULL;
	*outNumInfo = 0;

	std::vector<translator_id> ids;
	{
		std::lock_guard<std::mutex> locker(fList->fLock);
		for (const TranslatorList::Entry& entry : fList->fEntries)
			ids.push_back(entry.id);
	}
	off_t start = source->Position();
	if (start < 0)
		return (status_t)start;
	std::vector<translator_info> found;
	// A translator that knows the format but finds the data damaged says so; that beats
	// "no translator" as the answer when no other takes the data.
	bool damaged = false;
	for (translator_id id : ids) {
		TranslatorRef translator(fList, id);
		if (!translator.IsValid() || !writes_type(translator.operator->(), inWantType))
			continue;
		translator_info info;
		memset(&info, 0, sizeof(info));
		if (source->Seek(start, SEEK_SET) != start)
			return B_IO_ERROR;
		const translation_format* hint = hinted_format(translator.operator->(), inHintType,
			inHintMIME);
		status_t status = translator->Identify(source, hint, ioExtension, &info, inWantType);
		if (status == B_ILLEGAL_DATA)
			damaged = true;
		if (status == B_OK) {
			info.translator = id;
			info.name[sizeof(info.name) - 1] = '\0';
			info.MIME[sizeof(info.MIME) - 1] = '\0';
			found.push_back(info);
		}
	}
	source->Seek(start, SEEK_SET);
	if (found.empty())
		return damaged ? B_ILLEGAL_DATA : B_NO_TRANSLATOR;
	std::stable_sort(found.begin(), found.end(),
		[](const translator_info& a, const translator_info& b) {
			return a.quality * a.capability > b.quality * b.capability;
		});
	*outInfo = new translator_info[found.size()];
	std::copy(found.begin(), found.end(), *outInfo);
	*outNumInfo = (int32)found.size();
	return B_OK;
}


status_t
BTranslatorRoster::GetAllTranslators(translator_id** outList, int32* outCount)
{
	if (outList == NULL || outCount == NULL)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> locker(fList->fLock);
	*outCount = (int32)fList->fEntries.size();
	*outList = new translator_id[fList->fEntries.size()];
	for (size_t i = 0; i < fList->fEntries.size(); i++)
		(*outList)[i] = fList->fEntries[i].id;
	return B_OK;
}


status_t
BTranslatorRoster::GetTranslatorInfo(translator_id translator, const char** outName,
	const char** outInfo, int32* outVersion)
{
	TranslatorRef ref(fList, translator);
	if (!ref.IsValid())
		return B_NO_TRANSLATOR;
	// The roster holds its own reference, so the strings outlive this one.
	if (outName != NULL)
		*outName = ref->TranslatorName();
	if (outInfo != NULL)
		*outInfo = ref->TranslatorInfo();
	if (outVersion != NULL)
		*outVersion = ref->TranslatorVersion();
	return B_OK;
}


status_t
BTranslatorRoster::GetInputFormats(translator_id translator,
	const translation_format** outFormats, int32* outNumFormats)
{
	if (outFormats == NULL || outNumFormats == NULL)
		return B_BAD_VALUE;
	TranslatorRef ref(fList, translator);
	if (!ref.IsValid())
		return B_NO_TRANSLATOR;
	*outFormats = ref->InputFormats(outNumFormats);
	return B_OK;
}


status_t
BTranslatorRoster::GetOutputFormats(translator_id translator,
	const translation_format** outFormats, int32* outNumFormats)
{
	if (outFormats == NULL || outNumFormats == NULL)
		return B_BAD_VALUE;
	TranslatorRef ref(fList, translator);
	if (!ref.IsValid())
		return B_NO_TRANSLATOR;
	*outFormats = ref->OutputFormats(outNumFormats);
	return B_OK;
}


status_t
BTranslatorRoster::Translate(BPositionIO* source, const translator_info* info,
	BMessage* ioExtension, BPositionIO* destination, uint32 wantOutType, uint32 inHintType,
	const char* inHintMIME)
{
	if (source == NULL || destination == NULL)
		return B_BAD_VALUE;
	off_t start = source->Position();
	if (start < 0)
		return (status_t)start;
	translator_info identified;
	if (info == NULL) {
		status_t status = Identify(source, ioExtension, &identified, inHintType, inHintMIME,
			wantOutType);
		if (status != B_OK)
			return status;
		info = &identified;
	}
	TranslatorRef translator(fList, info->translator);
	if (!translator.IsValid())
		return B_NO_TRANSLATOR;
	if (source->Seek(start, SEEK_SET) != start)
		return B_IO_ERROR;
	return translator->Translate(source, info, ioExtension, wantOutType, destination);
}


status_t
BTranslatorRoster::Translate(translator_id translator, BPositionIO* source,
	BMessage* ioExtension, BPositionIO* destination, uint32 wantOutType)
{
	if (source == NULL || destination == NULL)
		return B_BAD_VALUE;
	TranslatorRef ref(fList, translator);
	if (!ref.IsValid())
		return B_NO_TRANSLATOR;
	off_t start = source->Position();
	if (start < 0)
		return (status_t)start;
	translator_info info;
	memset(&info, 0, sizeof(info));
	status_t status = ref->Identify(source, NULL, ioExtension, &info, wantOutType);
	if (status != B_OK)
		return status;
	info.translator = translator;
	if (source->Seek(start, SEEK_SET) != start)
		return B_IO_ERROR;
	return ref->Translate(source, &info, ioExtension, wantOutType, destination);
}


status_t
BTranslatorRoster::MakeConfigurationView(translator_id translator, BMessage* ioExtension,
	BView** outView, BRect* outExtent)
{
	if (outView == NULL || outExtent == NULL)
		return B_BAD_VALUE;
	TranslatorRef ref(fList, translator);
	if (!ref.IsValid())
		return B_NO_TRANSLATOR;
	return ref->MakeConfigurationView(ioExtension, outView, outExtent);
}


status_t
BTranslatorRoster::GetConfigurationMessage(translator_id translator, BMessage* ioExtension)
{
	if (ioExtension == NULL)
		return B_BAD_VALUE;
	TranslatorRef ref(fList, translator);
	if (!ref.IsValid())
		return B_NO_TRANSLATOR;
	return ref->GetConfigurationMessage(ioExtension);
}


status_t
BTranslatorRoster::GetRefFor(translator_id translator, entry_ref* outRef)
{
	if (outRef == NULL)
		return B_BAD_VALUE;
	std::string path;
	{
		std::lock_guard<std::mutex> locker(fList->fLock);
		bool found = false;
		for (const TranslatorList::Entry& entry : fList->fEntries) {
			if (entry.id == translator) {
				path = entry.path;
				found = true;
			}
		}
		if (!found)
			return B_NO_TRANSLATOR;
	}
	if (path.empty())
		return B_BAD_VALUE;
	return get_ref_for_path(path.c_str(), outRef);
}

// Guessing types: libmagic reads contents, the database's extensions name files, and
// update_mime_info and create_app_meta_mime write what was found (docs/mime-database.md).
#include <Mime.h>

#include <AppFileInfo.h>
#include <Entry.h>
#include <File.h>
#include <Node.h>
#include <Path.h>
#include <TypeConstants.h>

#include <dirent.h>
#include <magic.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>

#include <mutex>
#include <string>

namespace {

// How deep update_mime_info and create_app_meta_mime go into directories.
const int32 kMaxUpdateDepth = 64;

// One libmagic cookie for the process, made on first use; libmagic's calls on one
// cookie are not thread-safe, so they are taken in turn.
class MagicCookie {
public:
	~MagicCookie()
	{
		if (fCookie != NULL)
			magic_close(fCookie);
	}

	// The type of a buffer or (when buffer is NULL) of the file at path.
	std::string Guess(const void* buffer, size_t length, const char* path)
	{
		std::lock_guard<std::mutex> lock(fLock);
		if (fCookie == NULL && !fFailed) {
			fCookie = magic_open(MAGIC_MIME_TYPE | MAGIC_ERROR);
			if (fCookie != NULL && magic_load(fCookie, NULL) != 0) {
				magic_close(fCookie);
				fCookie = NULL;
			}
			fFailed = fCookie == NULL;
		}
		if (fCookie == NULL)
			return std::string();
		const char* type = buffer != NULL ? magic_buffer(fCookie, buffer, length)
			: magic_file(fCookie, path);
		return type != NULL ? type : std::string();
	}

private:
	std::mutex	fLock;
	magic_t		fCookie = NULL;
	bool		fFailed = false;
};


MagicCookie&
magic_cookie()
{
	static MagicCookie sCookie;
	return sCookie;
}


status_t
set_guess(const std::string& guess, BMimeType* type)
{
	// libmagic names some types in ways the platform does not accept (with
	// parameters or none at all); those are plain files.
	if (guess.empty() || !BMimeType::IsValid(guess.c_str()))
		return type->SetTo(B_FILE_MIME_TYPE);
	if (guess == "inode/directory")
		return type->SetTo(B_DIRECTORY_MIME_TYPE);
	if (guess == "inode/symlink")
		return type->SetTo(B_SYMLINK_MIME_TYPE);
	return type->SetTo(guess.c_str());
}


// Calls visit on path and, when recursive and path is a directory, on what it holds.
template<typename Visit>
status_t
walk(const std::string& path, bool recursive, int32 depth, Visit visit)
{
	struct stat info;
	if (lstat(path.c_str(), &info) != 0)
		return B_ENTRY_NOT_FOUND;
	status_t result = visit(path, info);
	if (!recursive || !S_ISDIR(info.st_mode) || depth >= kMaxUpdateDepth)
		return result;
	DIR* directory = opendir(path.c_str());
	if (directory == NULL)
		return result;
	while (struct dirent* entry = readdir(directory)) {
		if (strcmp(entry->d_name, ".") == 0 || strcmp(entry->d_name, "..") == 0)
			continue;
		std::string child = path == "/" ? "/" + std::string(entry->d_name)
			: path + "/" + entry->d_name;
		status_t status = walk(child, true, depth + 1, visit);
		if (result == B_OK)
			result = status;
	}
	closedir(directory);
	return result;
}

} // namespace


status_t
BMimeType::GuessMimeType(const entry_ref* file, BMimeType* type)
{
	if (file == NULL || type == NULL)
		return B_BAD_VALUE;
	BPath path(file);
	if (path.InitCheck() != B_OK)
		return path.InitCheck();
	struct stat info;
	if (lstat(path.Path(), &info) != 0)
		return B_ENTRY_NOT_FOUND;
	if (S_ISDIR(info.st_mode))
		return type->SetTo(B_DIRECTORY_MIME_TYPE);
	if (S_ISLNK(info.st_mode))
		return type->SetTo(B_SYMLINK_MIME_TYPE);
	std::string guess = magic_cookie().Guess(NULL, 0, path.Path());
	// Contents that say nothing leave the name to decide.
	if (guess.empty() || guess == "application/octet-stream" || guess == "text/plain") {
		BMimeType byName;
		if (GuessMimeType(file->name, &byName) == B_OK
			&& strcmp(byName.Type(), B_FILE_MIME_TYPE) != 0)
			return type->SetTo(byName.Type());
	}
	return set_guess(guess, type);
}


status_t
BMimeType::GuessMimeType(const void* buffer, int32 length, BMimeType* type)
{
	if (buffer == NULL || length < 0 || type == NULL)
		return B_BAD_VALUE;
	return set_guess(magic_cookie().Guess(buffer, length, NULL), type);
}


status_t
BMimeType::GuessMimeType(const char* filename, BMimeType* type)
{
	if (filename == NULL || type == NULL)
		return B_BAD_VALUE;
	const char* dot = strrchr(filename, '.');
	if (dot != NULL && dot[1] != '\0' && dot != filename) {
		BMessage types;
		GetInstalledTypes(&types);
		const char* candidate;
		for (int32 i = 0; types.FindString(B_MIME_TYPES_FIELD, i, &candidate) == B_OK; i++) {
			BMimeType installed(candidate);
			BMessage extensions;
			if (installed.GetFileExtensions(&extensions) != B_OK)
				continue;
			const char* extension;
			for (int32 j = 0; extensions.FindString(B_MIME_EXTENSIONS_FIELD, j, &extension)
					== B_OK; j++) {
				if (strcasecmp(extension, dot + 1) == 0)
					return type->SetTo(candidate);
			}
		}
	}
	return type->SetTo(B_FILE_MIME_TYPE);
}


int
update_mime_info(const char* path, int recursive, int synchronous, int force)
{
	if (path == NULL)
		return B_BAD_VALUE;
	return walk(path, recursive != 0, 0, [&](const std::string& entry,
			const struct stat& info) -> status_t {
		if (S_ISLNK(info.st_mode))
			return B_OK;
		BNode node(entry.c_str());
		if (node.InitCheck() != B_OK)
			return node.InitCheck();
		attr_info existing;
		if (!force && node.GetAttrInfo("BEOS:TYPE", &existing) == B_OK)
			return B_OK;
		entry_ref ref;
		BMimeType type;
		status_t status = get_ref_for_path(entry.c_str(), &ref);
		if (status == B_OK)
			status = BMimeType::GuessMimeType(&ref, &type);
		if (status != B_OK)
			return status;
		ssize_t written = node.WriteAttr("BEOS:TYPE", B_MIME_STRING_TYPE, 0, type.Type(),
			strlen(type.Type()) + 1);
		return written < 0 ? (status_t)written : B_OK;
	});
}


status_t
create_app_meta_mime(const char* path, int recursive, int synchronous, int force)
{
	if (path == NULL)
		return B_BAD_VALUE;
	return walk(path, recursive != 0, 0, [&](const std::string& entry,
			const struct stat& info) -> status_t {
		if (!S_ISREG(info.st_mode) || (info.st_mode & 0111) == 0)
			return B_OK;
		BFile file(entry.c_str(), B_READ_ONLY);
		BAppFileInfo appInfo(&file);
		char signature[B_MIME_TYPE_LENGTH];
		// Only applications carry a signature; other executables are left alone.
		if (appInfo.InitCheck() != B_OK || appInfo.GetSignature(signature) != B_OK)
			return B_OK;
		BMimeType type(signature);
		if (type.InitCheck() != B_OK)
			return B_OK;
		if (type.IsInstalled() && !force)
			return B_OK;
		entry_ref ref;
		status_t status = get_ref_for_path(entry.c_str(), &ref);
		if (status == B_OK)
			status = type.Install();
		return status == B_OK ? type.SetAppHint(&ref) : status;
	});
}

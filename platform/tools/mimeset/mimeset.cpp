// mimeset, the platform's command that gives files their MIME type, as makefiles call it
// on an application they built.
//
//   mimeset [-f] [-all | -apps] <path>...
//
// Gives each file (folders: every file below them) without a type the type its contents
// show (libmagic); an executable that carries an application signature in its resources
// becomes "application/x-vnd.Be-elfexecutable" and gets the signature as its
// "BEOS:APP_SIG" attribute. -f replaces types already set; -apps handles executables only;
// -all is accepted, the kit keeping no database of files to update. Exits 0 when every
// path was handled, 1 with a message for each one that was not.
#include <AppFileInfo.h>
#include <File.h>
#include <Mime.h>
#include <NodeInfo.h>

#include <magic.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

namespace {

const char* const kExecutableType = "application/x-vnd.Be-elfexecutable";
const char* const kSignatureAttribute = "BEOS:APP_SIG";

struct Options {
	bool	force = false;
	bool	appsOnly = false;
	magic_t	cookie = nullptr;
};


int
set_type(const std::string& path, const Options& options)
{
	BFile file(path.c_str(), B_READ_WRITE);
	if (file.InitCheck() != B_OK) {
		fprintf(stderr, "mimeset: %s: %s\n", path.c_str(), strerror(file.InitCheck()));
		return 1;
	}
	BNodeInfo nodeInfo(&file);
	char type[B_MIME_TYPE_LENGTH];
	if (!options.force && nodeInfo.GetType(type) == B_OK && type[0] != '\0')
		return 0;

	BAppFileInfo appInfo(&file);
	char signature[B_MIME_TYPE_LENGTH];
	bool isApp = appInfo.InitCheck() == B_OK && appInfo.GetSignature(signature) == B_OK;
	if (options.appsOnly && !isApp)
		return 0;
	std::string newType;
	if (isApp) {
		newType = kExecutableType;
		file.WriteAttr(kSignatureAttribute, B_MIME_STRING_TYPE, 0, signature,
			strlen(signature) + 1);
	} else {
		const char* guessed = magic_file(options.cookie, path.c_str());
		newType = guessed != nullptr ? guessed : "application/octet-stream";
	}
	status_t status = nodeInfo.SetType(newType.c_str());
	if (status != B_OK) {
		fprintf(stderr, "mimeset: %s: %s\n", path.c_str(), strerror(status));
		return 1;
	}
	return 0;
}


int
handle(const std::string& path, const Options& options)
{
	std::error_code error;
	if (!std::filesystem::is_directory(path, error))
		return set_type(path, options);
	int result = 0;
	for (auto it = std::filesystem::recursive_directory_iterator(path, error);
			!error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
		if (it->is_regular_file(error))
			result |= set_type(it->path().string(), options);
	}
	if (error) {
		fprintf(stderr, "mimeset: %s: %s\n", path.c_str(), error.message().c_str());
		return 1;
	}
	return result;
}

} // namespace


int
main(int argc, char** argv)
{
	Options options;
	int first = 1;
	for (; first < argc && argv[first][0] == '-'; first++) {
		if (strcmp(argv[first], "-f") == 0)
			options.force = true;
		else if (strcmp(argv[first], "-apps") == 0)
			options.appsOnly = true;
		else if (strcmp(argv[first], "-all") != 0) {
			fprintf(stderr, "usage: mimeset [-f] [-all | -apps] <path>...\n");
			return 1;
		}
	}
	if (first == argc) {
		fprintf(stderr, "usage: mimeset [-f] [-all | -apps] <path>...\n");
		return 1;
	}
	options.cookie = magic_open(MAGIC_MIME_TYPE);
	if (options.cookie == nullptr || magic_load(options.cookie, nullptr) != 0) {
		fprintf(stderr, "mimeset: cannot load the file type database\n");
		return 1;
	}
	int result = 0;
	for (int i = first; i < argc; i++)
		result |= handle(argv[i], options);
	magic_close(options.cookie);
	return result;
}

// The images of this team over the dynamic loader: what dl_iterate_phdr lists is the
// team's images, numbered in the order the kit first sees them, and add-ons are the
// objects that load_add_on opened and counts.
#include <image.h>

#include "support/ExecutableAddOn.h"
#include "support/ImageSymbols.h"

#include <dlfcn.h>
#include <elf.h>
#include <fcntl.h>
#include <link.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <set>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace {

struct LoadedImage {
	uintptr_t			base = 0;
	std::string			name;
	const ElfW(Dyn)*	dynamic = nullptr;
	void*				text = nullptr;
	size_t				textSize = 0;
	void*				data = nullptr;
	size_t				dataSize = 0;
	bool				first = false;
};

struct AddOn {
	void*		handle = nullptr;
	int32		references = 0;
};

// An image is known by its load address and name: a library loaded again at the same
// address after being unloaded gets a new id once the old one was forgotten.
typedef std::pair<uintptr_t, std::string> ImageKey;

std::mutex stLock;
std::map<ImageKey, image_id>& stIds = *new std::map<ImageKey, image_id>;
std::map<image_id, AddOn>& stAddOns = *new std::map<image_id, AddOn>;
// The names of the copies of executables loaded as add-ons, whose symbol tables are read.
std::set<std::string>& stExecutableCopies = *new std::set<std::string>;
image_id stNextId = 1;


int
collect_image(struct dl_phdr_info* info, size_t, void* data)
{
	auto images = static_cast<std::vector<LoadedImage>*>(data);
	LoadedImage image;
	image.base = info->dlpi_addr;
	image.name = info->dlpi_name != nullptr ? info->dlpi_name : "";
	image.first = images->empty();
	for (int i = 0; i < info->dlpi_phnum; i++) {
		const ElfW(Phdr)& header = info->dlpi_phdr[i];
		void* start = (void*)(info->dlpi_addr + header.p_vaddr);
		if (header.p_type == PT_DYNAMIC)
			image.dynamic = (const ElfW(Dyn)*)start;
		if (header.p_type != PT_LOAD)
			continue;
		if ((header.p_flags & PF_X) != 0 && image.text == nullptr) {
			image.text = start;
			image.textSize = header.p_memsz;
		} else if ((header.p_flags & PF_W) != 0 && image.data == nullptr) {
			image.data = start;
			image.dataSize = header.p_memsz;
		}
	}
	images->push_back(image);
	return 0;
}


std::string
executable_path()
{
	char path[PATH_MAX];
	ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
	if (length <= 0)
		return "";
	path[length] = '\0';
	return path;
}


// Under stLock: the team's images now, each with its id, forgetting the ids of images
// that are gone.
std::vector<std::pair<image_id, LoadedImage>>
current_images()
{
	std::vector<LoadedImage> images;
	dl_iterate_phdr(collect_image, &images);
	std::map<ImageKey, image_id> seen;
	std::vector<std::pair<image_id, LoadedImage>> result;
	for (LoadedImage& image : images) {
		ImageKey key(image.base, image.name);
		auto known = stIds.find(key);
		image_id id = known != stIds.end() ? known->second : stNextId++;
		seen[key] = id;
		if (image.first && image.name.empty())
			image.name = executable_path();
		result.emplace_back(id, image);
	}
	stIds.swap(seen);
	return result;
}


bool
find_image(image_id id, LoadedImage* found)
{
	for (const auto& [imageID, image] : current_images()) {
		if (imageID == id) {
			*found = image;
			return true;
		}
	}
	return false;
}


image_type
type_of(image_id id, const LoadedImage& image)
{
	if (image.first)
		return B_APP_IMAGE;
	if (stAddOns.count(id) != 0)
		return B_ADD_ON_IMAGE;
	// The kernel's own image mapped into every process has no file.
	if (image.name.empty() || image.name[0] != '/')
		return B_SYSTEM_IMAGE;
	return B_LIBRARY_IMAGE;
}


void
fill_info(image_id id, const LoadedImage& image, int32 sequence, image_info* info)
{
	memset(info, 0, sizeof(*info));
	info->id = id;
	info->type = type_of(id, image);
	info->sequence = sequence;
	info->init_order = sequence;
	snprintf(info->name, sizeof(info->name), "%s", image.name.c_str());
	info->text = image.text;
	info->text_size = image.textSize;
	info->data = image.data;
	info->data_size = image.dataSize;
	BPrivate::ImageSymbols symbols(image.base, image.dynamic);
	info->init_routine = (void (*)())symbols.Initializer();
	info->term_routine = (void (*)())symbols.Terminator();
	struct stat status;
	if (!image.name.empty() && stat(image.name.c_str(), &status) == 0) {
		info->device = status.st_dev;
		info->node = status.st_ino;
	}
}


// The id under which the object that handle opened is listed; under stLock.
image_id
id_of_handle(void* handle)
{
	struct link_map* map = nullptr;
	if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr)
		return B_ERROR;
	for (const auto& [id, image] : current_images()) {
		if (image.base == map->l_addr && image.dynamic == map->l_ld)
			return id;
	}
	return B_ERROR;
}


bool
is_elf_file(const char* path)
{
	int file = open(path, O_RDONLY | O_CLOEXEC);
	if (file < 0)
		return false;
	unsigned char magic[SELFMAG];
	bool elf = read(file, magic, SELFMAG) == SELFMAG && memcmp(magic, ELFMAG, SELFMAG) == 0;
	close(file);
	return elf;
}


// A handle on the loaded image for dlsym, which the caller closes; null for an image the
// loader does not give out (the kernel's).
void*
open_loaded(const LoadedImage& image, bool isApp)
{
	if (isApp)
		return dlopen(nullptr, RTLD_LAZY);
	return dlopen(image.name.c_str(), RTLD_LAZY | RTLD_NOLOAD);
}

} // namespace


image_id
load_add_on(const char* path)
{
	if (path == nullptr || path[0] == '\0')
		return B_BAD_VALUE;
	struct stat status;
	if (stat(path, &status) != 0 || !S_ISREG(status.st_mode))
		return B_ENTRY_NOT_FOUND;
	// A bare name is a file of the current folder, not a library of the loader's paths.
	std::string file = strchr(path, '/') != nullptr ? path : std::string("./") + path;
	void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
	std::string copy;
	if (handle == nullptr)
		handle = BPrivate::open_executable_add_on(file.c_str(), &copy);
	if (handle == nullptr)
		return is_elf_file(file.c_str()) ? B_MISSING_LIBRARY : B_NOT_AN_EXECUTABLE;

	std::lock_guard<std::mutex> lock(stLock);
	image_id id = id_of_handle(handle);
	if (id < 0) {
		dlclose(handle);
		return B_NOT_AN_EXECUTABLE;
	}
	if (!copy.empty())
		stExecutableCopies.insert(copy);
	AddOn& addOn = stAddOns[id];
	if (addOn.references++ > 0)
		dlclose(handle);
	else
		addOn.handle = handle;
	return id;
}


status_t
unload_add_on(image_id id)
{
	std::unique_lock<std::mutex> lock(stLock);
	auto found = stAddOns.find(id);
	if (found == stAddOns.end())
		return B_BAD_IMAGE_ID;
	if (--found->second.references > 0)
		return B_OK;
	void* handle = found->second.handle;
	stAddOns.erase(found);
	lock.unlock();
	return dlclose(handle) == 0 ? B_OK : B_ERROR;
}


status_t
get_image_symbol(image_id id, const char* name, int32 symbolType, void** location)
{
	if (name == nullptr || location == nullptr)
		return B_BAD_VALUE;
	LoadedImage image;
	{
		std::lock_guard<std::mutex> lock(stLock);
		if (!find_image(id, &image))
			return B_BAD_IMAGE_ID;
	}
	BPrivate::ImageSymbols symbols(image.base, image.dynamic);
	void* handle = open_loaded(image, image.first);
	void* address = nullptr;
	int32 type = 0;
	if (handle != nullptr) {
		// dlsym also looks in the image's dependencies: only a symbol of this image counts.
		address = dlsym(handle, name);
		Dl_info where;
		const ElfW(Sym)* symbol = nullptr;
		struct link_map* map = nullptr;
		if (address == nullptr
			|| dladdr1(address, &where, (void**)&map, RTLD_DL_LINKMAP) == 0
			|| map == nullptr || map->l_ld != image.dynamic)
			address = nullptr;
		else if (dladdr1(address, &where, (void**)&symbol, RTLD_DL_SYMENT) != 0
			&& symbol != nullptr)
			type = BPrivate::ImageSymbols::TypeOf(*symbol);
		else
			type = B_SYMBOL_TYPE_TEXT;
		dlclose(handle);
	} else if (!symbols.Find(name, &address, &type))
		address = nullptr;
	if (address == nullptr) {
		bool copy;
		{
			std::lock_guard<std::mutex> lock(stLock);
			copy = stExecutableCopies.count(image.name) != 0;
		}
		uintptr_t value;
		if (copy && BPrivate::find_file_symbol(image.name.c_str(), name, &value, &type))
			address = (void*)(image.base + value);
	}

	if (address == nullptr)
		return B_ENTRY_NOT_FOUND;
	if (symbolType != B_SYMBOL_TYPE_ANY && symbolType != type)
		return B_ENTRY_NOT_FOUND;
	*location = address;
	return B_OK;
}


status_t
get_nth_image_symbol(image_id id, int32 n, char* nameBuffer, int32* nameLength,
	int32* symbolType, void** location)
{
	if (n < 0)
		return B_BAD_INDEX;
	LoadedImage image;
	{
		std::lock_guard<std::mutex> lock(stLock);
		if (!find_image(id, &image))
			return B_BAD_IMAGE_ID;
	}
	BPrivate::ImageSymbols symbols(image.base, image.dynamic);
	const char* name = nullptr;
	void* address = nullptr;
	int32 type = 0;
	if (!symbols.Nth(n, &name, &address, &type))
		return B_BAD_INDEX;
	if (nameBuffer != nullptr && nameLength != nullptr && *nameLength > 0)
		snprintf(nameBuffer, *nameLength, "%s", name);
	if (nameLength != nullptr)
		*nameLength = strlen(name) + 1;
	if (symbolType != nullptr)
		*symbolType = type;
	if (location != nullptr)
		*location = address;
	return B_OK;
}


status_t
_get_image_info(image_id id, image_info* info, size_t size)
{
	if (info == nullptr || size != sizeof(image_info))
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> lock(stLock);
	int32 sequence = 0;
	for (const auto& [imageID, image] : current_images()) {
		if (imageID == id) {
			fill_info(id, image, sequence, info);
			return B_OK;
		}
		sequence++;
	}
	return B_BAD_IMAGE_ID;
}


status_t
_get_next_image_info(team_id team, int32* cookie, image_info* info, size_t size)
{
	if (cookie == nullptr || info == nullptr || size != sizeof(image_info))
		return B_BAD_VALUE;
	if (team != 0 && team != getpid())
		return B_BAD_TEAM_ID;
	if (*cookie < 0)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> lock(stLock);
	std::vector<std::pair<image_id, LoadedImage>> images = current_images();
	if ((size_t)*cookie >= images.size())
		return B_BAD_VALUE;
	const auto& [id, image] = images[*cookie];
	fill_info(id, image, *cookie, info);
	(*cookie)++;
	return B_OK;
}


status_t
clear_caches(void* address, size_t length, uint32 flags)
{
	if (address == nullptr && length > 0)
		return B_BAD_VALUE;
	// x86 keeps instruction and data caches coherent; elsewhere the compiler's builtin
	// makes written code visible to execution.
	if ((flags & (B_INVALIDATE_ICACHE | B_FLUSH_ICACHE)) != 0 && length > 0)
		__builtin___clear_cache((char*)address, (char*)address + length);
	if ((flags & (B_FLUSH_DCACHE | B_INVALIDATE_DCACHE)) != 0)
		__sync_synchronize();
	return B_OK;
}

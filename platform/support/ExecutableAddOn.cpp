#include "support/ExecutableAddOn.h"

#include <image.h>

#include <dlfcn.h>
#include <elf.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace BPrivate {

namespace {

// The whole file, when it is a regular file no larger than the cap.
bool
read_file(const char* path, std::vector<char>* bytes)
{
	int file = open(path, O_RDONLY | O_CLOEXEC);
	if (file < 0)
		return false;
	struct stat status;
	bool ok = fstat(file, &status) == 0 && S_ISREG(status.st_mode)
		&& (size_t)status.st_size >= sizeof(Elf64_Ehdr)
		&& (size_t)status.st_size <= kMaxExecutableAddOnSize;
	if (ok) {
		bytes->resize(status.st_size);
		size_t done = 0;
		while (ok && done < bytes->size()) {
			ssize_t got = read(file, bytes->data() + done, bytes->size() - done);
			ok = got > 0;
			done += ok ? got : 0;
		}
	}
	close(file);
	return ok;
}


// Whether [offset, offset + count * size) lies inside the bytes.
bool
fits(const std::vector<char>& bytes, uint64_t offset, uint64_t count, uint64_t size)
{
	if (offset > bytes.size() || size == 0)
		return false;
	return count <= (bytes.size() - offset) / size;
}


const Elf64_Ehdr*
elf_header(const std::vector<char>& bytes)
{
	const Elf64_Ehdr* header = (const Elf64_Ehdr*)bytes.data();
	if (memcmp(header->e_ident, ELFMAG, SELFMAG) != 0
		|| header->e_ident[EI_CLASS] != ELFCLASS64 || header->e_type != ET_DYN)
		return nullptr;
	return header;
}

} // namespace


void*
open_executable_add_on(const char* path, std::string* copyPath)
{
	std::vector<char> bytes;
	if (!read_file(path, &bytes))
		return nullptr;
	const Elf64_Ehdr* header = elf_header(bytes);
	if (header == nullptr || header->e_phentsize != sizeof(Elf64_Phdr)
		|| !fits(bytes, header->e_phoff, header->e_phnum, sizeof(Elf64_Phdr)))
		return nullptr;
	const Elf64_Phdr* segments = (const Elf64_Phdr*)(bytes.data() + header->e_phoff);
	bool pie = false;
	for (int i = 0; i < header->e_phnum && !pie; i++) {
		if (segments[i].p_type != PT_DYNAMIC
			|| !fits(bytes, segments[i].p_offset, segments[i].p_filesz / sizeof(Elf64_Dyn),
				sizeof(Elf64_Dyn)))
			continue;
		Elf64_Dyn* entries = (Elf64_Dyn*)(bytes.data() + segments[i].p_offset);
		size_t count = segments[i].p_filesz / sizeof(Elf64_Dyn);
		for (size_t j = 0; j < count && entries[j].d_tag != DT_NULL; j++) {
			if (entries[j].d_tag == DT_FLAGS_1 && (entries[j].d_un.d_val & DF_1_PIE) != 0) {
				entries[j].d_un.d_val &= ~(Elf64_Xword)DF_1_PIE;
				pie = true;
			}
		}
	}
	if (!pie)
		return nullptr;

	// The copy stays open for the process's life: its name is how the loader knows it.
	const char* name = strrchr(path, '/');
	int copy = memfd_create(name != nullptr ? name + 1 : path, MFD_CLOEXEC);
	if (copy < 0)
		return nullptr;
	size_t done = 0;
	while (done < bytes.size()) {
		ssize_t written = write(copy, bytes.data() + done, bytes.size() - done);
		if (written <= 0) {
			close(copy);
			return nullptr;
		}
		done += written;
	}
	char copyName[64];
	snprintf(copyName, sizeof(copyName), "/proc/self/fd/%d", copy);
	void* handle = dlopen(copyName, RTLD_NOW | RTLD_LOCAL);
	if (handle == nullptr) {
		close(copy);
		return nullptr;
	}
	*copyPath = copyName;
	return handle;
}


bool
find_file_symbol(const char* path, const char* name, uintptr_t* value, int32* type)
{
	std::vector<char> bytes;
	if (!read_file(path, &bytes))
		return false;
	const Elf64_Ehdr* header = elf_header(bytes);
	if (header == nullptr || header->e_shentsize != sizeof(Elf64_Shdr)
		|| !fits(bytes, header->e_shoff, header->e_shnum, sizeof(Elf64_Shdr)))
		return false;
	const Elf64_Shdr* sections = (const Elf64_Shdr*)(bytes.data() + header->e_shoff);
	size_t nameLength = strlen(name);
	for (int i = 0; i < header->e_shnum; i++) {
		const Elf64_Shdr& table = sections[i];
		if (table.sh_type != SHT_SYMTAB || table.sh_link >= header->e_shnum)
			continue;
		const Elf64_Shdr& strings = sections[table.sh_link];
		if (!fits(bytes, table.sh_offset, table.sh_size / sizeof(Elf64_Sym), sizeof(Elf64_Sym))
			|| !fits(bytes, strings.sh_offset, strings.sh_size, 1))
			continue;
		const Elf64_Sym* symbols = (const Elf64_Sym*)(bytes.data() + table.sh_offset);
		const char* names = bytes.data() + strings.sh_offset;
		size_t count = table.sh_size / sizeof(Elf64_Sym);
		for (size_t j = 0; j < count; j++) {
			const Elf64_Sym& symbol = symbols[j];
			int kind = ELF64_ST_TYPE(symbol.st_info);
			int binding = ELF64_ST_BIND(symbol.st_info);
			if (symbol.st_shndx == SHN_UNDEF || (kind != STT_FUNC && kind != STT_OBJECT)
				|| (binding != STB_GLOBAL && binding != STB_WEAK)
				|| symbol.st_name >= strings.sh_size
				|| strings.sh_size - symbol.st_name <= nameLength
				|| memcmp(names + symbol.st_name, name, nameLength + 1) != 0)
				continue;
			*value = symbol.st_value;
			*type = kind == STT_FUNC ? B_SYMBOL_TYPE_TEXT : B_SYMBOL_TYPE_DATA;
			return true;
		}
	}
	return false;
}

} // namespace BPrivate

// Reads the dynamic symbol table of a loaded image. The table has no count of its own: the
// count comes from the image's hash table, the classic one or the GNU one.
#include "support/ImageSymbols.h"

#include <image.h>

#include <elf.h>
#include <string.h>

namespace BPrivate {

namespace {

// The loader rewrites the dynamic section's addresses to run-time ones in writable
// sections; in a read-only one (the kernel's image) they stay relative to the base.
uintptr_t
absolute(uintptr_t base, ElfW(Addr) pointer)
{
	return pointer < base ? base + pointer : pointer;
}


uint32
gnu_hash_symbol_count(const uint32* table)
{
	uint32 bucketCount = table[0];
	uint32 firstHashed = table[1];
	uint32 bloomWords = table[2];
	const ElfW(Addr)* bloom = (const ElfW(Addr)*)(table + 4);
	const uint32* buckets = (const uint32*)(bloom + bloomWords);
	const uint32* chains = buckets + bucketCount;
	uint32 last = 0;
	for (uint32 i = 0; i < bucketCount; i++) {
		if (buckets[i] > last)
			last = buckets[i];
	}
	if (last < firstHashed)
		return firstHashed;
	// The last chain ends at the entry with its lowest bit set.
	while ((chains[last - firstHashed] & 1) == 0)
		last++;
	return last + 1;
}

} // namespace


ImageSymbols::ImageSymbols(uintptr_t base, const ElfW(Dyn)* dynamic)
	:
	fBase(base)
{
	if (dynamic == nullptr)
		return;
	const uint32* hash = nullptr;
	const uint32* gnuHash = nullptr;
	for (const ElfW(Dyn)* entry = dynamic; entry->d_tag != DT_NULL; entry++) {
		switch (entry->d_tag) {
			case DT_SYMTAB:
				fSymbols = (const ElfW(Sym)*)absolute(base, entry->d_un.d_ptr);
				break;
			case DT_STRTAB:
				fStrings = (const char*)absolute(base, entry->d_un.d_ptr);
				break;
			case DT_STRSZ:
				fStringsSize = entry->d_un.d_val;
				break;
			case DT_HASH:
				hash = (const uint32*)absolute(base, entry->d_un.d_ptr);
				break;
			case DT_GNU_HASH:
				gnuHash = (const uint32*)absolute(base, entry->d_un.d_ptr);
				break;
			case DT_INIT:
				fInit = (void*)(base + entry->d_un.d_ptr);
				break;
			case DT_FINI:
				fFini = (void*)(base + entry->d_un.d_ptr);
				break;
		}
	}
	if (fSymbols == nullptr || fStrings == nullptr)
		return;
	if (hash != nullptr)
		fCount = hash[1];
	else if (gnuHash != nullptr)
		fCount = gnu_hash_symbol_count(gnuHash);
}


int32
ImageSymbols::TypeOf(const ElfW(Sym)& symbol)
{
	switch (ELF64_ST_TYPE(symbol.st_info)) {
		case STT_FUNC:
		case STT_GNU_IFUNC:
			return B_SYMBOL_TYPE_TEXT;
		case STT_OBJECT:
		case STT_COMMON:
			return B_SYMBOL_TYPE_DATA;
		default:
			return 0;
	}
}


const ElfW(Sym)*
ImageSymbols::_Exported(uint32 index) const
{
	const ElfW(Sym)& symbol = fSymbols[index];
	int binding = ELF64_ST_BIND(symbol.st_info);
	if (symbol.st_shndx == SHN_UNDEF || symbol.st_name == 0
		|| symbol.st_name >= fStringsSize || TypeOf(symbol) == 0
		|| (binding != STB_GLOBAL && binding != STB_WEAK))
		return nullptr;
	return &symbol;
}


bool
ImageSymbols::Nth(int32 n, const char** name, void** address, int32* type) const
{
	for (uint32 i = 0; i < fCount; i++) {
		const ElfW(Sym)* symbol = _Exported(i);
		if (symbol == nullptr || n-- > 0)
			continue;
		*name = fStrings + symbol->st_name;
		*address = (void*)(fBase + symbol->st_value);
		*type = TypeOf(*symbol);
		return true;
	}
	return false;
}


bool
ImageSymbols::Find(const char* name, void** address, int32* type) const
{
	for (uint32 i = 0; i < fCount; i++) {
		const ElfW(Sym)* symbol = _Exported(i);
		if (symbol == nullptr || strcmp(fStrings + symbol->st_name, name) != 0)
			continue;
		*address = (void*)(fBase + symbol->st_value);
		*type = TypeOf(*symbol);
		return true;
	}
	return false;
}

} // namespace BPrivate

// The exported symbols of a loaded ELF image, read from its dynamic section in memory.
#ifndef _IMAGE_SYMBOLS_H
#define _IMAGE_SYMBOLS_H

#include <SupportDefs.h>

#include <link.h>

namespace BPrivate {

class ImageSymbols {
public:
						ImageSymbols(uintptr_t base, const ElfW(Dyn)* dynamic);

	// The n-th defined global symbol of a function or data type; false past the last.
	bool				Nth(int32 n, const char** name, void** address, int32* type) const;
	// The first such symbol of that name.
	bool				Find(const char* name, void** address, int32* type) const;
	void*				Initializer() const { return fInit; }
	void*				Terminator() const { return fFini; }

	// B_SYMBOL_TYPE_TEXT for code, B_SYMBOL_TYPE_DATA for data, 0 for anything else.
	static int32		TypeOf(const ElfW(Sym)& symbol);

private:
	const ElfW(Sym)*	_Exported(uint32 index) const;

	uintptr_t			fBase;
	const ElfW(Sym)*	fSymbols = nullptr;
	const char*			fStrings = nullptr;
	size_t				fStringsSize = 0;
	uint32				fCount = 0;
	void*				fInit = nullptr;
	void*				fFini = nullptr;
};

} // namespace BPrivate

#endif // _IMAGE_SYMBOLS_H

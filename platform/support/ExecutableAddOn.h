// Applications loaded as add-ons, as the platform allows (a replicant's code is often in
// the application it was dragged from). The dynamic loader refuses to open an executable
// built position-independent; a copy in memory whose dynamic section no longer says so
// opens as a shared object. Such an executable exports few symbols (it was not linked to
// export its own), so its symbol table is read from the file as well (docs/kernel.md).
#ifndef _EXECUTABLE_ADD_ON_H
#define _EXECUTABLE_ADD_ON_H

#include <SupportDefs.h>

#include <string>

namespace BPrivate {

// The largest executable the kit copies to load it.
const size_t kMaxExecutableAddOnSize = 256 * 1024 * 1024;

// dlopen's handle on a copy of the position-independent executable at path; NULL for
// anything else or when it cannot be loaded. *copyPath is the copy's name.
void* open_executable_add_on(const char* path, std::string* copyPath);

// The value (its offset in the image) of the defined function or object name in the
// symbol table of the ELF file at path; false when there is none.
bool find_file_symbol(const char* path, const char* name, uintptr_t* value, int32* type);

} // namespace BPrivate

#endif // _EXECUTABLE_ADD_ON_H

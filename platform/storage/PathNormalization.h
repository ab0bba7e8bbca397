// Turning any path into the kit's absolute form: the directory part resolved through the
// file system, the leaf kept as named.
#ifndef _KIT_PATH_NORMALIZATION_H
#define _KIT_PATH_NORMALIZATION_H

#include <SupportDefs.h>

#include <string>

namespace BPrivate {

// Relative paths start at the current directory. The directory part must exist; the
// leaf need not, unless it is "." or "..", or traverseLeaf asks to follow a symbolic
// link at the leaf.
status_t NormalizePath(const char* path, bool traverseLeaf, std::string* result);

// The directory part and the leaf of a normalized path; "/" is its own directory with
// the leaf ".".
void SplitPath(const std::string& path, std::string* directory, std::string* leaf);

} // namespace BPrivate

#endif // _KIT_PATH_NORMALIZATION_H

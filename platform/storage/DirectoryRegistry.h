// The paths of the directories that entry_refs of this process name. The kernel cannot
// turn a device and an inode into a path for an unprivileged process, so each path met
// while making or receiving a ref is remembered here, and checked again when used.
#ifndef _KIT_DIRECTORY_REGISTRY_H
#define _KIT_DIRECTORY_REGISTRY_H

#include <SupportDefs.h>

#include <string>

namespace BPrivate {

void RememberDirectory(dev_t device, ino_t directory, const std::string& path);
// False when the directory is unknown or its remembered path names another one now.
bool FindDirectory(dev_t device, ino_t directory, std::string* path);

// Any node's path, as for directories: what node_refs of this process name.
void RememberNode(dev_t device, ino_t node, const std::string& path);
bool FindNode(dev_t device, ino_t node, std::string* path);

} // namespace BPrivate

#endif // _KIT_DIRECTORY_REGISTRY_H

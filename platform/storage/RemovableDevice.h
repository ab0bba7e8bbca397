// Whether a block device holds removable media, from the kernel's sysfs.
#ifndef _REMOVABLE_DEVICE_PRIVATE_H
#define _REMOVABLE_DEVICE_PRIVATE_H

#include <sys/types.h>

namespace BPrivate {

// False for what the kernel does not know as a block device.
bool is_removable_device(dev_t device);

} // namespace BPrivate

#endif // _REMOVABLE_DEVICE_PRIVATE_H

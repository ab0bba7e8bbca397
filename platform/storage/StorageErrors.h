// Turns the errno of a failed system call into the kit's status code.
#ifndef _STORAGE_ERRORS_PRIVATE_H
#define _STORAGE_ERRORS_PRIVATE_H

#include <SupportDefs.h>

namespace BPrivate {

// The storage codes for the errors that files and entries meet; other errnos stay as
// they are (positive), which the kit's strerror still names.
status_t status_for_errno(int error);

} // namespace BPrivate

#endif // _STORAGE_ERRORS_PRIVATE_H

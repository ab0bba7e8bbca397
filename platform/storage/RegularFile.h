// Opening a file that another process of the user may have replaced with something else.
#ifndef _REGULAR_FILE_H
#define _REGULAR_FILE_H

#include <SupportDefs.h>

namespace BPrivate {

// Opens path read-only without waiting (a FIFO in its place does not block the caller) and
// returns the descriptor only when it is a regular file; otherwise -1, with *status set
// (B_BAD_DATA for something that is not a regular file).
int open_regular_file(const char* path, status_t* status);

} // namespace BPrivate

#endif // _REGULAR_FILE_H

// Writing a whole buffer to a descriptor, as the kit's small files (the roster, the
// clipboards) are written: retried on interruption, and failing on a short or failed write.
#ifndef _WRITE_ALL_H
#define _WRITE_ALL_H

#include <SupportDefs.h>

#include <errno.h>
#include <unistd.h>

#include <vector>

namespace BPrivate {

inline status_t
write_all(int fd, const std::vector<char>& data)
{
	size_t done = 0;
	while (done < data.size()) {
		ssize_t bytes = write(fd, data.data() + done, data.size() - done);
		if (bytes < 0 && errno == EINTR)
			continue;
		if (bytes <= 0)
			return B_IO_ERROR;
		done += bytes;
	}
	return B_OK;
}

} // namespace BPrivate

#endif // _WRITE_ALL_H

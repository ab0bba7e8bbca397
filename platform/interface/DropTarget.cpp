#include "interface/DropTarget.h"

#include "display/Display.h"

#include <Message.h>

#include <vector>

namespace BPrivate {

std::string
encode_drop_target(const BMessenger& target)
{
	BMessage description(kDropTargetWhat);
	description.AddMessenger("target", target);
	ssize_t size = description.FlattenedSize();
	if (size <= 0 || (size_t)size > kMaxDropTargetSize)
		return std::string();
	std::vector<char> buffer(size);
	if (description.Flatten(buffer.data(), size) != B_OK)
		return std::string();
	return std::string(buffer.data(), size);
}


status_t
decode_drop_target(const std::string& data, BMessenger* target)
{
	if (data.empty() || data.size() > kMaxDropTargetSize)
		return B_BAD_DATA;
	BMessage description;
	if (description.Unflatten(data.data(), (ssize_t)data.size()) != B_OK
		|| description.what != kDropTargetWhat
		|| description.FindMessenger("target", target) != B_OK || target->Team() < 0) {
		return B_BAD_DATA;
	}
	return B_OK;
}

} // namespace BPrivate

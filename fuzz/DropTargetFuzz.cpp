// The drop-target description another process leaves on its window.
#include "interface/DropTarget.h"

#include <stddef.h>
#include <stdint.h>

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	BMessenger target;
	BPrivate::decode_drop_target(std::string((const char*)data, size), &target);
	return 0;
}

// What a window tells the display about itself as a place to drop on: a flattened
// message ('DrpT') whose "target" is a messenger to the window. Another kit process
// reads it from the display (an X window property) to deliver a drop, so the reader
// trusts nothing in it.
#ifndef _DROP_TARGET_H
#define _DROP_TARGET_H

#include <Messenger.h>

#include <string>

namespace BPrivate {

const uint32 kDropTargetWhat = 'DrpT';

std::string encode_drop_target(const BMessenger& target);
// B_BAD_DATA for anything but a well-formed description naming a process.
status_t decode_drop_target(const std::string& data, BMessenger* target);

} // namespace BPrivate

#endif // _DROP_TARGET_H

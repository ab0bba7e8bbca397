// Where a clipboard's committed data lives between applications: one file per clipboard in
// the runtime directory (docs/clipboard.md). The file is replaced whole on every commit, so
// a reader sees one commit or the next, never a mix.
#ifndef _CLIPBOARD_STORE_H
#define _CLIPBOARD_STORE_H

#include <Message.h>
#include <Messenger.h>

#include <string>

namespace BPrivate {

// What a commit leaves for the others.
struct ClipboardContents {
	uint32			count = 0;
	BMessage		data;
	BMessenger		source;
};

class ClipboardStore {
public:
	explicit			ClipboardStore(const char* name);

	// The file's name in the runtime directory: "clipboard." and the clipboard's name,
	// whose characters other than letters, digits, '-' and '_' become '_', cut at
	// kMaxNameLength bytes.
	const std::string&	Leaf() const { return fLeaf; }

	// B_ENTRY_NOT_FOUND when nothing was committed yet; B_BAD_DATA for a file that is not
	// a regular file, is larger than kMaxSize or does not decode (contents is then empty).
	status_t			Load(ClipboardContents& contents) const;
	// B_NO_MEMORY when the flattened contents exceed kMaxSize.
	status_t			Save(const ClipboardContents& contents) const;

	// Reads a file's bytes; nothing in them is trusted.
	static status_t		Decode(const void* data, size_t size, ClipboardContents& contents);

	static constexpr uint32	kWhat = 'clpB';
	// Texts, pictures and small images fit; a clipboard is no place for a disk image.
	static constexpr size_t	kMaxSize = 16 * 1024 * 1024;
	static constexpr size_t	kMaxNameLength = 64;

private:
			status_t	Path(std::string& path) const;

	std::string			fLeaf;
};

} // namespace BPrivate

#endif // _CLIPBOARD_STORE_H

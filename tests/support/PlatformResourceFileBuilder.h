// Writes resource files in the platform's own format (.rsrc), as its tools laid them out,
// for the tests of the resource compiler's reader and of rc itself.
#ifndef _PLATFORM_RESOURCE_FILE_BUILDER_H
#define _PLATFORM_RESOURCE_FILE_BUILDER_H

#include <SupportDefs.h>

#include <string>
#include <vector>

struct PlatformResource {
	uint32 type;
	int32 id;
	std::string name;
	std::vector<uint8> data;
};


// Writes a file the way the platform's tools lay one out: the prefix, the header, a table
// of 128 entries whose entry 10 holds the names and 10 + i the data of the i-th resource,
// the data, then the names.
class PlatformResourceFileBuilder {
public:
	explicit PlatformResourceFileBuilder(bool bigEndian) : fBigEndian(bigEndian) {}

	std::vector<uint8> Build(const std::vector<PlatformResource>& resources)
	{
		fBytes.clear();
		if (fBigEndian) {
			const char prefix[] = "Joy!resf";
			fBytes.assign(prefix, prefix + 8);
			fBytes.resize(40, 0);
		} else {
			fBytes = { 'R', 'S', 0, 0 };
		}
		fStart = fBytes.size();
		fBytes.resize(fStart + 0x644, 0);
		Put(0, 0x444f1000);
		Put(4, (uint32)resources.size());
		Put(8, 0x44);
		Put(12, 0x644);
		for (uint32 entry = 0; entry < 128; entry++)
			SetEntry(entry, 0, 0xffffffff, 0x3e9);
		SetEntry(0, 0x44, 0x600, 0x3e9);

		for (size_t i = 0; i < resources.size(); i++) {
			SetEntry(11 + i, Size(), resources[i].data.size(), 0);
			fBytes.insert(fBytes.end(), resources[i].data.begin(), resources[i].data.end());
		}
		uint32 info = Size();
		for (size_t i = 0; i < resources.size(); i++) {
			Append(resources[i].type);
			Append((uint32)resources[i].id);
			Append(1 + (uint32)i);
			uint16 length = resources[i].name.size() + 1;
			uint8 count[2] = { (uint8)(fBigEndian ? length >> 8 : length),
				(uint8)(fBigEndian ? length : length >> 8) };
			fBytes.insert(fBytes.end(), count, count + 2);
			fBytes.insert(fBytes.end(), resources[i].name.begin(), resources[i].name.end());
			fBytes.push_back(0);
			Append(0xffffffff);
			Append(0xffffffff);
		}
		SetEntry(10, info, Size() - info, 0x3e9);
		return fBytes;
	}

	// Where a field of the header or the table lies in the built bytes.
	size_t Offset(size_t headerOffset) const { return fStart + headerOffset; }
	size_t EntryOffset(uint32 entry) const { return fStart + 0x44 + entry * 12; }

private:
	uint32 Size() const { return fBytes.size() - fStart; }

	void Put(size_t offset, uint32 value)
	{
		for (int i = 0; i < 4; i++) {
			int shift = fBigEndian ? 24 - 8 * i : 8 * i;
			fBytes[fStart + offset + i] = (uint8)(value >> shift);
		}
	}

	void Append(uint32 value)
	{
		fBytes.resize(fBytes.size() + 4);
		Put(Size() - 4, value);
	}

	void SetEntry(uint32 entry, uint32 offset, uint32 size, uint32 last)
	{
		Put(0x44 + entry * 12, offset);
		Put(0x44 + entry * 12 + 4, size);
		Put(0x44 + entry * 12 + 8, last);
	}

	bool fBigEndian;
	size_t fStart = 0;
	std::vector<uint8> fBytes;
};

#endif // _PLATFORM_RESOURCE_FILE_BUILDER_H

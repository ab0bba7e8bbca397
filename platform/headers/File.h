// A regular file, opened with one of the Storage Kit's open modes (StorageDefs.h): read
// and write in sequence or at a position, size and resize it. Descriptors are
// close-on-exec, so a launched program inherits none.
#ifndef _FILE_H
#define _FILE_H

#include <DataIO.h>
#include <Node.h>
#include <StorageDefs.h>

class BDirectory;
class BEntry;
struct entry_ref;

class BFile : public BNode, public BPositionIO {
public:
								BFile();
								BFile(const char* path, uint32 openMode);
								BFile(const entry_ref* ref, uint32 openMode);
								BFile(const BEntry* entry, uint32 openMode);
	// path relative to directory (an absolute path stands alone).
								BFile(const BDirectory* directory, const char* path,
									uint32 openMode);
								BFile(const BFile& file);
	virtual						~BFile();

			status_t			SetTo(const char* path, uint32 openMode);
			status_t			SetTo(const entry_ref* ref, uint32 openMode);
			status_t			SetTo(const BEntry* entry, uint32 openMode);
			status_t			SetTo(const BDirectory* directory, const char* path,
									uint32 openMode);
			void				Unset();

			bool				IsReadable() const;
			bool				IsWritable() const;

	virtual	ssize_t				Read(void* buffer, size_t size);
	virtual	ssize_t				ReadAt(off_t position, void* buffer, size_t size);
	virtual	ssize_t				Write(const void* buffer, size_t size);
	virtual	ssize_t				WriteAt(off_t position, const void* buffer,
									size_t size);

	virtual	off_t				Seek(off_t offset, uint32 seekMode);
	virtual	off_t				Position() const;

	virtual	status_t			SetSize(off_t size);
	virtual	status_t			GetSize(off_t* size) const;

			BFile&				operator=(const BFile& file);

private:
			uint32				fMode;
};

#endif // _FILE_H

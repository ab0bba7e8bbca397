// A private directory for a test, made under /tmp (its real path, links resolved) and
// removed with everything in it when the object goes.
#ifndef _SCRATCH_DIRECTORY_H
#define _SCRATCH_DIRECTORY_H

#include <string>

class ScratchDirectory {
public:
	explicit				ScratchDirectory(const char* purpose = "scratch");
							~ScratchDirectory();

	const std::string&		Path() const { return fPath; }
	// The path of name inside the directory.
	std::string				operator/(const std::string& name) const
								{ return fPath + "/" + name; }
	// Writes contents to the file name inside the directory; false on failure.
	bool					WriteFile(const std::string& name,
								const std::string& contents) const;
	// Whether the file system of the directory keeps user extended attributes, which
	// the tests of node attributes need.
	bool					KeepsUserAttributes() const;

private:
							ScratchDirectory(const ScratchDirectory&) = delete;
	ScratchDirectory&		operator=(const ScratchDirectory&) = delete;

	std::string				fPath;
};

// The whole contents of the file at path, as bytes; empty when it cannot be read.
std::string read_file(const std::string& path);

#endif // _SCRATCH_DIRECTORY_H

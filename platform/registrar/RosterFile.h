// The registrar's roster kept in a file of the runtime directory (docs/registrar-protocol.md),
// so that a registrar started after one that died knows which applications ran before it.
// The file holds one flattened BMessage; it is replaced whole, never written in place, so
// that a registrar killed while saving leaves the previous roster intact.
#ifndef _ROSTER_FILE_H
#define _ROSTER_FILE_H

#include <Message.h>

#include <string>

class RosterFile {
public:
	explicit			RosterFile(const std::string& path);

	// B_ENTRY_NOT_FOUND when there is none; B_BAD_DATA for a file that is too large or
	// does not hold a roster (the message is then empty).
	status_t			Load(BMessage& roster) const;
	status_t			Save(const BMessage& roster) const;

	static const uint32	kWhat = 'rgRS';
	// A roster of thousands of applications stays far below this.
	static const off_t	kMaxSize = 4 * 1024 * 1024;

private:
	std::string			fPath;
};

#endif // _ROSTER_FILE_H

// An object that stores itself in a message (its archive) and is rebuilt from one through a
// constructor taking the archive.
#ifndef _ARCHIVABLE_H
#define _ARCHIVABLE_H

#include <Message.h>
#include <SupportDefs.h>

class BArchivable {
public:
	BArchivable();
	explicit BArchivable(BMessage* from);
	virtual ~BArchivable();

	// Adds the string field "class" with the object's class name; subclasses add their
	// fields after calling it. deep asks for owned children to be archived as well.
	virtual status_t Archive(BMessage* into, bool deep = true) const;
	// Subclasses provide their own, returning NULL when the archive is not theirs.
	static BArchivable* Instantiate(BMessage* from);
};

// True when the archive's "class" field names className.
bool validate_instantiation(BMessage* from, const char* className);

#endif // _ARCHIVABLE_H

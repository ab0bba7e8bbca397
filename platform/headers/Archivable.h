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

	// Hooks run once a whole tree of objects is archived (with the object's own archive)
	// and once instantiate_object() has rebuilt the object from an archive, for work
	// that needs the whole tree; an error fails the archiving or the instantiation.
	virtual status_t AllArchived(BMessage* into) const;
	virtual status_t AllUnarchived(const BMessage* from);
};

// True when the archive's "class" field names className.
bool validate_instantiation(BMessage* from, const char* className);

typedef BArchivable* (*instantiation_func)(BMessage*);

// The static Instantiate of className (which may name a namespace, "Outer::Inner"), as
// the process's loaded images export it; NULL when none does. The BMessage form tries
// the archive's "class" names in order.
instantiation_func find_instantiation_func(const char* className);
instantiation_func find_instantiation_func(BMessage* archive);
// Rebuilds the object archived in from and calls its AllUnarchived(). When no loaded image
// has the class and the archive names the signature of an add-on or application in
// "add_on", that executable is loaded as an add-on (load_add_on; *id is its image, -1
// otherwise) and its Instantiate used. NULL with errno B_BAD_VALUE for a class nobody has,
// B_MISSING_LIBRARY when the add-on cannot be found or loaded, B_MISSING_SYMBOL when it
// lacks the class, or the hook's error when AllUnarchived() fails (the object is deleted).
BArchivable* instantiate_object(BMessage* from, image_id* id);
BArchivable* instantiate_object(BMessage* from);

#endif // _ARCHIVABLE_H

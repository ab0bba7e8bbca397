// A private MIME database for a test: the kit's user data directory points at a scratch
// directory for the object's life, so the records a test writes go with it.
#ifndef _SCRATCH_MIME_DATABASE_H
#define _SCRATCH_MIME_DATABASE_H

#include "ScopedEnvironment.h"
#include "ScratchDirectory.h"

class ScratchMimeDatabase {
public:
	explicit ScratchMimeDatabase(const char* purpose = "mime")
		:
		fScratch(purpose),
		fDataHome("XDG_DATA_HOME", fScratch.Path())
	{
	}

	// The data directory; the database is its folder "bekit/mime".
	const ScratchDirectory& Scratch() const { return fScratch; }

private:
	ScratchDirectory fScratch;
	ScopedEnvironment fDataHome;
};

#endif // _SCRATCH_MIME_DATABASE_H

// Sets an environment variable of the test's process for the object's life, then puts
// back what was there (or removes it), so that a test of per-user files can point the kit
// at a scratch directory.
#ifndef _SCOPED_ENVIRONMENT_H
#define _SCOPED_ENVIRONMENT_H

#include <stdlib.h>

#include <string>

class ScopedEnvironment {
public:
	ScopedEnvironment(const char* name, const std::string& value)
		:
		fName(name)
	{
		const char* previous = getenv(name);
		fHadPrevious = previous != NULL;
		if (fHadPrevious)
			fPrevious = previous;
		setenv(name, value.c_str(), 1);
	}

	~ScopedEnvironment()
	{
		if (fHadPrevious)
			setenv(fName.c_str(), fPrevious.c_str(), 1);
		else
			unsetenv(fName.c_str());
	}

	ScopedEnvironment(const ScopedEnvironment&) = delete;
	ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
	std::string fName;
	std::string fPrevious;
	bool fHadPrevious;
};

#endif // _SCOPED_ENVIRONMENT_H

// An object that can write itself into a buffer and be rebuilt from one.
#ifndef _FLATTENABLE_H
#define _FLATTENABLE_H

#include <SupportDefs.h>

class BFlattenable {
public:
	virtual ~BFlattenable();

	virtual bool IsFixedSize() const = 0;
	virtual type_code TypeCode() const = 0;
	virtual ssize_t FlattenedSize() const = 0;
	virtual status_t Flatten(void* buffer, ssize_t size) const = 0;
	// By default, only TypeCode() is allowed.
	virtual bool AllowsTypeCode(type_code code) const;
	virtual status_t Unflatten(type_code code, const void* buffer, ssize_t size) = 0;
};

#endif // _FLATTENABLE_H

// A scripting target's table of properties (with the commands and specifier forms each
// accepts) and of named values. Tables are arrays ending with an entry whose name is
// NULL; the commands, specifiers and types arrays of an entry end at their first 0 or
// after ten entries. Flattened as B_PROPERTY_INFO_TYPE (docs/property-info-format.md).
#ifndef _PROPERTY_INFO_H
#define _PROPERTY_INFO_H

#include <Flattenable.h>
#include <SupportDefs.h>
#include <TypeConstants.h>

class BMessage;

struct compound_type {
	struct field_pair {
		const char* name;
		type_code type;
	};
	field_pair pairs[5];
};

// Members after the name have defaults, so that tables may list only what they need.
struct property_info {
	const char* name;
	uint32 commands[10] = {};
	uint32 specifiers[10] = {};
	const char* usage = NULL;
	uint32 extra_data = 0;
	uint32 types[10] = {};
	compound_type ctypes[3] = {};
	uint32 _reserved[10] = {};
};

// A fixed underlying type, so that a table from elsewhere may hold any kind number.
enum value_kind : int32 {
	B_COMMAND_KIND = 0,
	B_TYPE_CODE_KIND = 1
};

struct value_info {
	const char* name;
	uint32 value = 0;
	value_kind kind = B_COMMAND_KIND;
	const char* usage = NULL;
	uint32 extra_data = 0;
	uint32 _reserved[10] = {};
};

class BPropertyInfo : public BFlattenable {
public:
	// The tables are used in place, not copied. With freeOnDelete, the destructor
	// releases both arrays with delete[] and every name and usage text in them with
	// free() (so they must come from new[] and malloc()).
	BPropertyInfo(property_info* properties = NULL, value_info* values = NULL,
		bool freeOnDelete = false);
	virtual ~BPropertyInfo();

	// The index of the first property named property that accepts message's command
	// (checked only when index is 0, i.e. the specifier is the last one to resolve; an
	// empty command list accepts any) and the specifier form (an empty list accepts any);
	// -1 when none does. data, when given, receives the property's extra_data (uint32).
	virtual int32 FindMatch(BMessage* message, int32 index, BMessage* specifier, int32 form,
		const char* property, void* data = NULL) const;

	virtual bool IsFixedSize() const;
	virtual type_code TypeCode() const;
	virtual ssize_t FlattenedSize() const;
	virtual status_t Flatten(void* buffer, ssize_t size) const;
	virtual bool AllowsTypeCode(type_code code) const;
	// Replaces the tables with ones it owns. Checks everything against size; on error
	// the object is left with no properties and no values.
	virtual status_t Unflatten(type_code code, const void* buffer, ssize_t size);

	// NULL when the object has no tables; after a successful Unflatten both point to
	// terminated arrays, possibly holding only the terminator.
	const property_info* Properties() const { return fPropInfo; }
	const value_info* Values() const { return fValueInfo; }
	int32 CountProperties() const { return fPropCount; }
	int32 CountValues() const { return fValueCount; }

	void PrintToStream() const;

protected:
	static bool FindCommand(uint32 what, int32 index, property_info* info);
	static bool FindSpecifier(uint32 form, property_info* info);

private:
	BPropertyInfo(const BPropertyInfo&) = delete;
	BPropertyInfo& operator=(const BPropertyInfo&) = delete;

	void _FreeMemory();

	property_info* fPropInfo;
	value_info* fValueInfo;
	int32 fPropCount;
	int32 fValueCount;
	bool fFreeOnDelete;
	// Tables made by Unflatten: one block holding both arrays and their texts.
	void* fUnflattened;
};

#endif // _PROPERTY_INFO_H

// A query of a volume: the entries whose names, stat records and attributes satisfy a
// predicate, given as text or pushed term by term (docs/queries.md). With a target, the
// query is live: entries that come to match or stop matching after Fetch are sent there
// as B_QUERY_UPDATE messages.
#ifndef _QUERY_H
#define _QUERY_H

#include <EntryList.h>
#include <Messenger.h>
#include <StorageDefs.h>

class BHandler;
class BLooper;
class BString;
class BVolume;

typedef enum {
	B_INVALID_OP	= 0,
	B_EQ,
	B_GT,
	B_GE,
	B_LT,
	B_LE,
	B_NE,
	B_CONTAINS,
	B_BEGINS_WITH,
	B_ENDS_WITH,
	B_AND			= 0x101,
	B_OR,
	B_NOT,
	_B_RESERVED_OP_	= 0x100000
} query_op;

class BQuery : public BEntryList {
public:
								BQuery();
	virtual						~BQuery();

	// Forgets the predicate, volume, target and results.
			status_t			Clear();

	// The push form, in postfix order: an attribute, a value, then the operator that
	// joins them; B_AND, B_OR and B_NOT join what was pushed before.
	// B_CONTAINS, B_BEGINS_WITH and B_ENDS_WITH take a string.
			status_t			PushAttr(const char* attrName);
			status_t			PushOp(query_op op);
			status_t			PushUInt32(uint32 value);
			status_t			PushInt32(int32 value);
			status_t			PushUInt64(uint64 value);
			status_t			PushInt64(int64 value);
			status_t			PushFloat(float value);
			status_t			PushDouble(double value);
			status_t			PushString(const char* value, bool caseInsensitive = false);

	// B_NOT_ALLOWED once fetched.
			status_t			SetVolume(const BVolume* volume);
			status_t			SetPredicate(const char* expression);
			status_t			SetTarget(BMessenger messenger);
			status_t			SetTarget(const BHandler* handler,
									const BLooper* looper = NULL);
			bool				IsLive() const;

	// The predicate's text (the pushed terms joined); length without the NUL.
			size_t				PredicateLength();
			status_t			GetPredicate(char* buffer, size_t length);
			status_t			GetPredicate(BString* predicate);

			dev_t				TargetDevice() const;

	// Starts the query: B_NO_INIT without a volume or predicate, B_BAD_VALUE for a
	// predicate that does not parse, B_NOT_ALLOWED when fetched already.
			status_t			Fetch();

	// The matches one by one; B_ENTRY_NOT_FOUND after the last, B_FILE_ERROR before
	// Fetch.
	virtual	status_t			GetNextEntry(BEntry* entry, bool traverse = false);
	virtual	status_t			GetNextRef(entry_ref* ref);
	virtual	int32				GetNextDirents(struct dirent* buffer, size_t length,
									int32 count = INT_MAX);
	// Starts the matches again from the first.
	virtual	status_t			Rewind();
	// How many entries match, wherever reading is (a query that is not live walks
	// the volume again to count them).
	virtual	int32				CountEntries();

private:
	struct State;

								BQuery(const BQuery&);
			BQuery&				operator=(const BQuery&);

			status_t			_Push(const char* text, int kind);

			State*				fState;
};

#endif // _QUERY_H

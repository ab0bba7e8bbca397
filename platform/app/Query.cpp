#include <Query.h>

#include <Entry.h>
#include <Handler.h>
#include <Looper.h>
#include <String.h>
#include <Volume.h>

#include "LiveQuery.h"
#include "storage/QueryPredicate.h"
#include "storage/QueryWalker.h"
#include "support/DirentRecord.h"

#include <stddef.h>
#include <stdio.h>
#include <string.h>

#include <memory>
#include <string>
#include <vector>

using namespace BPrivate;

namespace {

// What a pushed term is, for the operators that need to know.
enum TermKind {
	kAttributeTerm,
	kStringTerm,
	kNumberTerm,
	kExpressionTerm
};

struct Term {
	std::string				text;
	TermKind				kind;
	// A string's value before it was quoted.
	std::string				raw;
	bool					caseInsensitive;
};

// The longest stack of pushed terms, which bounds what an application builds.
const size_t kMaxPushedTerms = 4096;


const char*
operator_text(query_op op)
{
	switch (op) {
		case B_EQ: return "==";
		case B_GT: return ">";
		case B_GE: return ">=";
		case B_LT: return "<";
		case B_LE: return "<=";
		case B_NE: return "!=";
		case B_CONTAINS:
		case B_BEGINS_WITH:
		case B_ENDS_WITH: return "==";
		case B_AND: return "&&";
		case B_OR: return "||";
		default: return NULL;
	}
}

} // namespace


struct BQuery::State {
	std::vector<Term>		terms;
	std::string				predicate;
	bool					hasPredicate = false;
	status_t				pushStatus = B_OK;
	dev_t					device = 0;
	bool					hasVolume = false;
	BMessenger				target;
	bool					fetched = false;
	std::unique_ptr<QueryPredicate> compiled;
	std::unique_ptr<QueryWalker> walker;
	std::unique_ptr<LiveQuery> live;
	std::vector<QueryMatch>	results;
	size_t					next = 0;
	// A match read but not handed over (it did not fit a dirent buffer).
	bool					hasPending = false;
	QueryMatch				pending;

	status_t Next(QueryMatch* match)
	{
		if (hasPending) {
			*match = pending;
			hasPending = false;
			return B_OK;
		}
		if (walker != nullptr)
			return walker->Next(match);
		if (next >= results.size())
			return B_ENTRY_NOT_FOUND;
		*match = results[next++];
		return B_OK;
	}
};


BQuery::BQuery()
	:
	fState(new State)
{
}


BQuery::~BQuery()
{
	// The live part stops before the predicate it evaluates goes.
	fState->live.reset();
	delete fState;
}


status_t
BQuery::Clear()
{
	fState->live.reset();
	delete fState;
	fState = new State;
	return B_OK;
}


status_t
BQuery::_Push(const char* text, int kind)
{
	if (fState->fetched)
		return B_NOT_ALLOWED;
	if (fState->terms.size() >= kMaxPushedTerms)
		return fState->pushStatus = B_NO_MEMORY;
	fState->terms.push_back({text, (TermKind)kind, std::string(), false});
	fState->hasPredicate = false;
	return B_OK;
}


status_t
BQuery::PushAttr(const char* attrName)
{
	if (attrName == NULL || attrName[0] == '\0')
		return fState->pushStatus = B_BAD_VALUE;
	for (const char* c = attrName; *c != '\0'; c++) {
		if (strchr("=!<>()&|\" \t\n", *c) != NULL)
			return fState->pushStatus = B_BAD_VALUE;
	}
	return _Push(attrName, kAttributeTerm);
}


status_t
BQuery::PushOp(query_op op)
{
	if (fState->fetched)
		return B_NOT_ALLOWED;
	std::vector<Term>& terms = fState->terms;
	if (op == B_NOT) {
		if (terms.empty())
			return fState->pushStatus = B_BAD_VALUE;
		Term& operand = terms.back();
		operand.text = "(!" + operand.text + ")";
		operand.kind = kExpressionTerm;
		fState->hasPredicate = false;
		return B_OK;
	}
	const char* text = operator_text(op);
	if (text == NULL || terms.size() < 2)
		return fState->pushStatus = B_BAD_VALUE;
	Term right = terms.back();
	terms.pop_back();
	Term left = terms.back();
	terms.pop_back();
	bool logical = op == B_AND || op == B_OR;
	if (logical != (left.kind == kExpressionTerm && right.kind == kExpressionTerm)
		|| (!logical && left.kind != kAttributeTerm)) {
		terms.push_back(left);
		terms.push_back(right);
		return fState->pushStatus = B_BAD_VALUE;
	}
	std::string value = right.text;
	if (op == B_CONTAINS || op == B_BEGINS_WITH || op == B_ENDS_WITH) {
		if (right.kind != kStringTerm) {
			terms.push_back(left);
			terms.push_back(right);
			return fState->pushStatus = B_BAD_VALUE;
		}
		std::string pattern = right.caseInsensitive
			? QueryPredicate::CaseInsensitivePattern(right.raw) : right.raw;
		if (op != B_BEGINS_WITH)
			pattern = "*" + pattern;
		if (op != B_ENDS_WITH)
			pattern += "*";
		value = QueryPredicate::Quote(pattern);
	}
	terms.push_back({"(" + left.text + text + value + ")", kExpressionTerm,
		std::string(), false});
	fState->hasPredicate = false;
	return B_OK;
}


status_t
BQuery::PushUInt32(uint32 value)
{
	return _Push(std::to_string(value).c_str(), kNumberTerm);
}


status_t
BQuery::PushInt32(int32 value)
{
	return _Push(std::to_string(value).c_str(), kNumberTerm);
}


status_t
BQuery::PushUInt64(uint64 value)
{
	return _Push(std::to_string(value).c_str(), kNumberTerm);
}


status_t
BQuery::PushInt64(int64 value)
{
	return _Push(std::to_string(value).c_str(), kNumberTerm);
}


status_t
BQuery::PushFloat(float value)
{
	char text[64];
	snprintf(text, sizeof(text), "%.9g", (double)value);
	return _Push(text, kNumberTerm);
}


status_t
BQuery::PushDouble(double value)
{
	char text[64];
	snprintf(text, sizeof(text), "%.17g", value);
	return _Push(text, kNumberTerm);
}


status_t
BQuery::PushString(const char* value, bool caseInsensitive)
{
	if (value == NULL)
		return fState->pushStatus = B_BAD_VALUE;
	std::string raw = value;
	std::string text = QueryPredicate::Quote(caseInsensitive
		? QueryPredicate::CaseInsensitivePattern(raw) : raw);
	status_t status = _Push(text.c_str(), kStringTerm);
	if (status == B_OK) {
		fState->terms.back().raw = raw;
		fState->terms.back().caseInsensitive = caseInsensitive;
	}
	return status;
}


status_t
BQuery::SetVolume(const BVolume* volume)
{
	if (fState->fetched)
		return B_NOT_ALLOWED;
	if (volume == NULL || volume->InitCheck() != B_OK) {
		fState->hasVolume = false;
		return B_BAD_VALUE;
	}
	fState->device = volume->Device();
	fState->hasVolume = true;
	return B_OK;
}


status_t
BQuery::SetPredicate(const char* expression)
{
	if (fState->fetched)
		return B_NOT_ALLOWED;
	if (expression == NULL)
		return B_BAD_VALUE;
	fState->terms.clear();
	fState->pushStatus = B_OK;
	fState->predicate = expression;
	fState->hasPredicate = true;
	return B_OK;
}


status_t
BQuery::SetTarget(BMessenger messenger)
{
	if (fState->fetched)
		return B_NOT_ALLOWED;
	if (!messenger.IsValid())
		return B_BAD_VALUE;
	fState->target = messenger;
	return B_OK;
}


status_t
BQuery::SetTarget(const BHandler* handler, const BLooper* looper)
{
	status_t status;
	BMessenger messenger(handler, looper, &status);
	return status != B_OK ? status : SetTarget(messenger);
}


bool
BQuery::IsLive() const
{
	return fState->target.IsValid();
}


size_t
BQuery::PredicateLength()
{
	BString predicate;
	return GetPredicate(&predicate) == B_OK ? predicate.Length() : 0;
}


status_t
BQuery::GetPredicate(char* buffer, size_t length)
{
	if (buffer == NULL || length == 0)
		return B_BAD_VALUE;
	BString predicate;
	status_t status = GetPredicate(&predicate);
	if (status != B_OK)
		return status;
	if ((size_t)predicate.Length() >= length)
		return B_BAD_VALUE;
	memcpy(buffer, predicate.String(), predicate.Length() + 1);
	return B_OK;
}


status_t
BQuery::GetPredicate(BString* predicate)
{
	if (predicate == NULL)
		return B_BAD_VALUE;
	if (!fState->hasPredicate) {
		// The pushed terms make a predicate when exactly one expression is left.
		if (fState->pushStatus != B_OK)
			return fState->pushStatus;
		if (fState->terms.size() != 1 || fState->terms[0].kind != kExpressionTerm)
			return B_NO_INIT;
		fState->predicate = fState->terms[0].text;
		fState->hasPredicate = true;
	}
	predicate->SetTo(fState->predicate.c_str());
	return B_OK;
}


dev_t
BQuery::TargetDevice() const
{
	return fState->hasVolume ? fState->device : (dev_t)B_ERROR;
}


status_t
BQuery::Fetch()
{
	if (fState->fetched)
		return B_NOT_ALLOWED;
	BString text;
	if (!fState->hasVolume || GetPredicate(&text) != B_OK)
		return B_NO_INIT;
	auto compiled = std::make_unique<QueryPredicate>();
	status_t status = compiled->SetTo(text.String());
	if (status != B_OK)
		return status;
	if (QueryWalker::Roots(fState->device).empty())
		return B_ENTRY_NOT_FOUND;
	fState->compiled = std::move(compiled);
	fState->fetched = true;
	if (!fState->target.IsValid()) {
		fState->walker = std::make_unique<QueryWalker>(*fState->compiled, fState->device);
		return B_OK;
	}
	fState->live = std::make_unique<LiveQuery>(*fState->compiled, fState->device,
		fState->target);
	return fState->live->Fetch(&fState->results);
}


status_t
BQuery::GetNextEntry(BEntry* entry, bool traverse)
{
	entry_ref ref;
	status_t status = entry != NULL ? GetNextRef(&ref) : B_BAD_VALUE;
	if (status != B_OK)
		return status;
	return entry->SetTo(&ref, traverse);
}


status_t
BQuery::GetNextRef(entry_ref* ref)
{
	if (ref == NULL)
		return B_BAD_VALUE;
	if (!fState->fetched)
		return B_FILE_ERROR;
	QueryMatch match;
	status_t status = fState->Next(&match);
	if (status != B_OK)
		return status;
	// Through the entry, so that the kit remembers the directory the ref names.
	BEntry entry(match.path.c_str());
	return entry.GetRef(ref);
}


int32
BQuery::GetNextDirents(struct dirent* buffer, size_t length, int32 count)
{
	if (buffer == NULL || !fState->fetched)
		return B_BAD_VALUE;
	int32 found = 0;
	size_t used = 0;
	while (found < count) {
		QueryMatch match;
		if (fState->Next(&match) != B_OK)
			break;
		size_t size = fill_dirent((struct dirent*)((uint8*)buffer + used), length - used,
			match.device, match.node, match.device, match.directory, match.name.c_str());
		if (size == 0) {
			// It stays for the next call.
			fState->pending = match;
			fState->hasPending = true;
			break;
		}
		used += size;
		found++;
	}
	return found;
}


status_t
BQuery::Rewind()
{
	if (!fState->fetched)
		return B_FILE_ERROR;
	if (fState->walker != nullptr)
		fState->walker->Rewind();
	fState->next = 0;
	fState->hasPending = false;
	return B_OK;
}


int32
BQuery::CountEntries()
{
	if (!fState->fetched)
		return B_FILE_ERROR;
	if (fState->walker == nullptr)
		return fState->results.size();
	// A walker of its own, so that the query's place does not move.
	QueryWalker counter(*fState->compiled, fState->device);
	QueryMatch match;
	int32 count = 0;
	while (counter.Next(&match) == B_OK)
		count++;
	return count;
}

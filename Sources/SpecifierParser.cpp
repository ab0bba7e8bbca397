#include "SpecifierParser.h"

#include <AppDefs.h>
#include <Message.h>

#include <errno.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>


namespace {

const char* kOf = " of ";
const char* kIn = " in ";
const char* kTo = " to ";


// A reader over the phrase that remembers the first problem met.
class PhraseReader {
public:
	PhraseReader(const char* text, bool valueMayFollow)
		:
		fText(text),
		fLength((int32)strlen(text)),
		fPosition(0),
		fValueMayFollow(valueMayFollow)
	{
	}

	bool AtEnd() const { return fPosition >= fLength; }
	int32 Position() const { return fPosition; }

	bool LookingAt(const char* word, int32 at) const
	{
		size_t length = strlen(word);
		return at + (int32)length <= fLength && strncmp(fText + at, word, length) == 0;
	}

	bool LookingAt(const char* word) const { return LookingAt(word, fPosition); }

	bool Take(const char* word)
	{
		if (!LookingAt(word))
			return false;
		fPosition += (int32)strlen(word);
		return true;
	}

	// Whether a specifier may end at: the end of the phrase, or a separator.
	bool EndsSpecifier(int32 at) const
	{
		return at >= fLength || LookingAt(kOf, at) || LookingAt(kIn, at)
			|| (fValueMayFollow && LookingAt(kTo, at));
	}

	bool ReadSpecifier(BMessage* specifier);
	bool ReadSeparator(bool* in, bool* done);

	bool Fail(int32 at, const char* problem)
	{
		fProblemAt = at;
		fProblem = problem;
		return false;
	}

	int32 ProblemAt() const { return fProblemAt; }
	const BString& Problem() const { return fProblem; }

private:
	bool _ReadProperty(BString* property);
	bool _ReadNumber(int32* number, const char* what);
	bool _ReadName(BString* name);

	const char*	fText;
	int32		fLength;
	int32		fPosition;
	bool		fValueMayFollow;
	int32		fProblemAt = 0;
	BString		fProblem;
};


bool
PhraseReader::_ReadProperty(BString* property)
{
	int32 start = fPosition;
	while (!AtEnd() && fText[fPosition] != ' ' && fText[fPosition] != '"')
		fPosition++;
	if (fPosition == start)
		return Fail(start, "expected a property name here, such as Label or Window");
	property->SetTo(fText + start, fPosition - start);
	return true;
}


// A decimal int32 with an optional minus sign.
bool
PhraseReader::_ReadNumber(int32* number, const char* what)
{
	int32 start = fPosition;
	if (!AtEnd() && fText[fPosition] == '-')
		fPosition++;
	int32 digits = fPosition;
	while (!AtEnd() && fText[fPosition] >= '0' && fText[fPosition] <= '9')
		fPosition++;
	if (fPosition == digits) {
		BString problem;
		problem << "expected " << what << " here";
		return Fail(start, problem.String());
	}
	std::string text(fText + start, fPosition - start);
	errno = 0;
	long long value = strtoll(text.c_str(), NULL, 10);
	if (errno != 0 || value < INT32_MIN || value > INT32_MAX)
		return Fail(start, "this number does not fit in 32 bits");
	*number = (int32)value;
	return true;
}


// The name runs to the first double quote that ends the specifier; names may hold double
// quotes and blanks of their own.
bool
PhraseReader::_ReadName(BString* name)
{
	int32 open = fPosition - 1;
	for (int32 at = fPosition; at < fLength; at++) {
		if (fText[at] == '"' && EndsSpecifier(at + 1)) {
			name->SetTo(fText + fPosition, at - fPosition);
			fPosition = at + 1;
			return true;
		}
	}
	return Fail(open, "this name has no closing double quote before \" of \" or the end");
}


bool
PhraseReader::ReadSpecifier(BMessage* specifier)
{
	if (Take("(none)")) {
		*specifier = BMessage(B_NO_SPECIFIER);
		return true;
	}

	BString property;
	if (!_ReadProperty(&property))
		return false;

	int32 index;
	int32 range;
	BString name;
	if (EndsSpecifier(fPosition)) {
		*specifier = BMessage(B_DIRECT_SPECIFIER);
		specifier->AddString("property", property);
		return true;
	}
	if (!Take(" ")) {
		return Fail(fPosition, "a property name ends at a blank; a name goes in double "
			"quotes after it");
	}

	int32 argument = fPosition;
	if (Take("\"")) {
		if (!_ReadName(&name))
			return false;
		*specifier = BMessage(B_NAME_SPECIFIER);
		specifier->AddString("property", property);
		specifier->AddString("name", name);
		return true;
	}
	if (Take("[")) {
		bool reverse = Take("-");
		if (!_ReadNumber(&index, "the first index of the range"))
			return false;
		if (!Take(kTo))
			return Fail(fPosition, "expected \" to \" and the range here");
		if (!_ReadNumber(&range, "the range (a count of items)"))
			return false;
		if (!Take("]"))
			return Fail(fPosition, "expected ] to close the range here");
		*specifier = BMessage(reverse ? B_REVERSE_RANGE_SPECIFIER : B_RANGE_SPECIFIER);
		specifier->AddString("property", property);
		specifier->AddInt32("index", index);
		specifier->AddInt32("range", range);
	} else if (LookingAt("-") || (!AtEnd() && fText[fPosition] >= '0'
			&& fText[fPosition] <= '9')) {
		bool reverse = Take("-");
		if (!_ReadNumber(&index, "an index"))
			return false;
		*specifier = BMessage(reverse ? B_REVERSE_INDEX_SPECIFIER : B_INDEX_SPECIFIER);
		specifier->AddString("property", property);
		specifier->AddInt32("index", index);
	} else if (strcmp(fText + argument, "of") == 0 || strcmp(fText + argument, "in") == 0) {
		return Fail(fLength, "expected another specifier after this word");
	} else {
		BString problem;
		problem << "cannot read this after " << property << ": a name goes in double quotes ("
			<< property << " \"name\"), an index is a number, a range is [first to count]";
		return Fail(argument, problem.String());
	}

	if (!EndsSpecifier(fPosition))
		return Fail(fPosition, "expected \" of \" or the end of the specifier here");
	return true;
}


// After a specifier: " of " or " in " and another, or the end (or a value's "to").
bool
PhraseReader::ReadSeparator(bool* in, bool* done)
{
	*in = false;
	*done = false;
	if (AtEnd()) {
		*done = true;
		return true;
	}
	if (fValueMayFollow && LookingAt(kTo)) {
		fPosition++;
		*done = true;
		return true;
	}
	if (Take(kOf))
		return true;
	if (Take(kIn)) {
		*in = true;
		return true;
	}
	return Fail(fPosition, "expected \" of \" or the end of the specifier here");
}

} // namespace


PhraseResult
parse_specifiers(const char* text, BMessage* message, bool valueMayFollow)
{
	PhraseReader reader(text, valueMayFollow);
	std::vector<BMessage> specifiers;
	int32 autoresolve = -1;
	PhraseResult result = { B_BAD_VALUE, 0, "" };

	for (;;) {
		BMessage specifier;
		if (!reader.ReadSpecifier(&specifier)) {
			result.offset = reader.ProblemAt();
			result.problem = reader.Problem();
			return result;
		}
		specifiers.push_back(specifier);

		bool in;
		bool done;
		int32 separator = reader.Position();
		if (!reader.ReadSeparator(&in, &done)) {
			result.offset = reader.ProblemAt();
			result.problem = reader.Problem();
			return result;
		}
		if (done)
			break;
		if (in) {
			if (autoresolve >= 0) {
				result.offset = separator + 1;
				result.problem = "only one \"in\" may stand in a phrase";
				return result;
			}
			autoresolve = (int32)specifiers.size();
		}
	}

	for (const BMessage& specifier : specifiers)
		message->AddSpecifier(&specifier);
	if (autoresolve >= 0)
		message->AddInt32("autoresolve", autoresolve);
	result.status = B_OK;
	result.offset = reader.Position();
	return result;
}

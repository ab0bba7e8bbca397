// BString's counted and case-blind replacements, escaping, word capitals and the
// forms that take another BString where String.cpp has the C-string one.
#include <String.h>

#include <ctype.h>
#include <strings.h>

#include <algorithm>

namespace {

// The first match of pattern in text at or after from, or npos; ignoreCase compares ASCII
// letters without regard to case, as strncasecmp does.
size_t
FindFrom(const std::string& text, const char* pattern, size_t patternLength, size_t from,
	bool ignoreCase)
{
	if (!ignoreCase)
		return text.find(pattern, from, patternLength);
	for (size_t i = from; i + patternLength <= text.size(); i++) {
		if (strncasecmp(text.c_str() + i, pattern, patternLength) == 0)
			return i;
	}
	return std::string::npos;
}


// Replaces up to maxCount matches (all when negative) from fromOffset on; an empty
// pattern matches nothing.
void
ReplaceMatches(std::string& text, const char* pattern, const char* with, int32 maxCount,
	int32 fromOffset, bool ignoreCase)
{
	if (pattern == NULL || pattern[0] == '\0' || with == NULL || maxCount == 0
		|| fromOffset < 0 || (size_t)fromOffset > text.size())
		return;
	size_t length = strlen(pattern);
	size_t withLength = strlen(with);
	size_t position = fromOffset;
	for (int32 done = 0; maxCount < 0 || done < maxCount; done++) {
		position = FindFrom(text, pattern, length, position, ignoreCase);
		if (position == std::string::npos)
			break;
		text.replace(position, length, with);
		position += withLength;
	}
}


bool
SameByte(char a, char b, bool ignoreCase)
{
	return ignoreCase ? tolower((unsigned char)a) == tolower((unsigned char)b) : a == b;
}


void
ReplaceBytes(std::string& text, char replaceThis, char withThis, int32 maxCount,
	int32 fromOffset, bool ignoreCase)
{
	if (fromOffset < 0)
		return;
	int32 done = 0;
	for (size_t i = fromOffset; i < text.size() && (maxCount < 0 || done < maxCount); i++) {
		if (SameByte(text[i], replaceThis, ignoreCase)) {
			text[i] = withThis;
			done++;
		}
	}
}


void
ReplaceOneByte(std::string& text, char replaceThis, char withThis, bool last, bool ignoreCase)
{
	for (size_t n = 0; n < text.size(); n++) {
		size_t i = last ? text.size() - 1 - n : n;
		if (SameByte(text[i], replaceThis, ignoreCase)) {
			text[i] = withThis;
			return;
		}
	}
}

} // namespace


BString&
BString::Adopt(BString& from, int32 maxLength)
{
	Adopt(from);
	return Truncate(maxLength);
}


BString&
BString::MoveInto(BString& into, int32 from, int32 length)
{
	if (&into == this)
		return into;
	CopyInto(into, from, length);
	Remove(from, length);
	return into;
}


void
BString::MoveInto(char* into, int32 from, int32 length)
{
	if (into == NULL)
		return;
	CopyInto(into, from, length);
	Remove(from, length);
}


BString&
BString::Prepend(const BString& string, int32 length)
{
	return Prepend(string.String(), length);
}


BString&
BString::Insert(const char* string, int32 fromOffset, int32 length, int32 position)
{
	if (string == NULL || fromOffset < 0)
		return *this;
	size_t available = strlen(string);
	if ((size_t)fromOffset > available)
		return *this;
	return Insert(string + fromOffset, length, position);
}


BString&
BString::Insert(const BString& string, int32 length, int32 position)
{
	if (&string == this)
		return Insert(BString(string), length, position);
	return Insert(string.String(), length, position);
}


BString&
BString::Insert(const BString& string, int32 fromOffset, int32 length, int32 position)
{
	if (&string == this)
		return Insert(BString(string), fromOffset, length, position);
	return Insert(string.String(), fromOffset, length, position);
}


BString&
BString::RemoveFirst(const BString& string)
{
	return RemoveFirst(string.String());
}


BString&
BString::RemoveLast(const BString& string)
{
	return RemoveLast(string.String());
}


BString&
BString::RemoveAll(const BString& string)
{
	return RemoveAll(string.String());
}


BString&
BString::Replace(char replaceThis, char withThis, int32 maxReplaceCount, int32 fromOffset)
{
	ReplaceBytes(fString, replaceThis, withThis, maxReplaceCount, fromOffset, false);
	return *this;
}


BString&
BString::Replace(const char* replaceThis, const char* withThis, int32 maxReplaceCount,
	int32 fromOffset)
{
	ReplaceMatches(fString, replaceThis, withThis, maxReplaceCount, fromOffset, false);
	return *this;
}


BString&
BString::IReplaceFirst(char replaceThis, char withThis)
{
	ReplaceOneByte(fString, replaceThis, withThis, false, true);
	return *this;
}


BString&
BString::IReplaceLast(char replaceThis, char withThis)
{
	ReplaceOneByte(fString, replaceThis, withThis, true, true);
	return *this;
}


BString&
BString::IReplaceAll(char replaceThis, char withThis, int32 fromOffset)
{
	ReplaceBytes(fString, replaceThis, withThis, -1, fromOffset, true);
	return *this;
}


BString&
BString::IReplace(char replaceThis, char withThis, int32 maxReplaceCount, int32 fromOffset)
{
	ReplaceBytes(fString, replaceThis, withThis, maxReplaceCount, fromOffset, true);
	return *this;
}


BString&
BString::IReplaceFirst(const char* replaceThis, const char* withThis)
{
	ReplaceMatches(fString, replaceThis, withThis, 1, 0, true);
	return *this;
}


BString&
BString::IReplaceLast(const char* replaceThis, const char* withThis)
{
	int32 position = IFindLast(replaceThis);
	if (position >= 0 && withThis != NULL)
		fString.replace(position, strlen(replaceThis), withThis);
	return *this;
}


BString&
BString::IReplaceAll(const char* replaceThis, const char* withThis, int32 fromOffset)
{
	ReplaceMatches(fString, replaceThis, withThis, -1, fromOffset, true);
	return *this;
}


BString&
BString::IReplace(const char* replaceThis, const char* withThis, int32 maxReplaceCount,
	int32 fromOffset)
{
	ReplaceMatches(fString, replaceThis, withThis, maxReplaceCount, fromOffset, true);
	return *this;
}


BString&
BString::ReplaceSet(const char* setOfBytes, char with)
{
	if (setOfBytes == NULL)
		return *this;
	for (char& c : fString) {
		if (c != '\0' && strchr(setOfBytes, c) != NULL)
			c = with;
	}
	return *this;
}


BString&
BString::ReplaceSet(const char* setOfBytes, const char* with)
{
	if (setOfBytes == NULL || with == NULL)
		return *this;
	std::string result;
	for (char c : fString) {
		if (c != '\0' && strchr(setOfBytes, c) != NULL)
			result += with;
		else
			result += c;
	}
	fString = std::move(result);
	return *this;
}


int32
BString::FindFirst(const BString& string, int32 fromOffset) const
{
	return FindFirst(string.String(), fromOffset);
}


int32
BString::FindLast(const BString& string) const
{
	return FindLast(string.String());
}


int32
BString::FindLast(const BString& string, int32 beforeOffset) const
{
	return FindLast(string.String(), beforeOffset);
}


int32
BString::IFindFirst(const BString& string, int32 fromOffset) const
{
	return IFindFirst(string.String(), fromOffset);
}


int32
BString::IFindLast(const BString& string) const
{
	return IFindLast(string.String());
}


int32
BString::IFindLast(const BString& string, int32 beforeOffset) const
{
	return IFindLast(string.String(), beforeOffset);
}


int32
BString::IFindLast(const char* string, int32 beforeOffset) const
{
	if (string == NULL || beforeOffset < 0)
		return B_ERROR;
	size_t length = strlen(string);
	size_t end = std::min((size_t)beforeOffset, fString.size());
	if (end < length)
		return B_ERROR;
	for (size_t i = end - length + 1; i-- > 0;) {
		if (strncasecmp(fString.c_str() + i, string, length) == 0)
			return (int32)i;
	}
	return B_ERROR;
}


BString&
BString::CapitalizeEachWord()
{
	bool inWord = false;
	for (char& c : fString) {
		unsigned char byte = (unsigned char)c;
		if (isalpha(byte)) {
			c = inWord ? tolower(byte) : toupper(byte);
			inWord = true;
		} else
			inWord = false;
	}
	return *this;
}


BString&
BString::CharacterEscape(const char* original, const char* setOfCharsToEscape,
	char escapeWith)
{
	if (original != NULL)
		SetTo(original);
	return CharacterEscape(setOfCharsToEscape, escapeWith);
}


BString&
BString::CharacterEscape(const char* setOfCharsToEscape, char escapeWith)
{
	if (setOfCharsToEscape == NULL || setOfCharsToEscape[0] == '\0')
		return *this;
	std::string result;
	result.reserve(fString.size());
	for (char c : fString) {
		if (c != '\0' && strchr(setOfCharsToEscape, c) != NULL)
			result += escapeWith;
		result += c;
	}
	fString = std::move(result);
	return *this;
}


BString&
BString::CharacterDeescape(const char* original, char escapeChar)
{
	if (original != NULL)
		SetTo(original);
	return CharacterDeescape(escapeChar);
}


BString&
BString::CharacterDeescape(char escapeChar)
{
	std::string result;
	result.reserve(fString.size());
	for (size_t i = 0; i < fString.size(); i++) {
		// A trailing escape byte has nothing after it to keep, so it goes.
		if (fString[i] == escapeChar) {
			if (++i == fString.size())
				break;
		}
		result += fString[i];
	}
	fString = std::move(result);
	return *this;
}


bool
operator<(const char* a, const BString& b)
{
	return b > a;
}


bool
operator<=(const char* a, const BString& b)
{
	return b >= a;
}


bool
operator>(const char* a, const BString& b)
{
	return b < a;
}


bool
operator>=(const char* a, const BString& b)
{
	return b <= a;
}


int
Compare(const BString* a, const BString* b)
{
	return a->Compare(*b);
}


int
ICompare(const BString* a, const BString* b)
{
	return a->ICompare(*b);
}

// A NUL-terminated byte string with value semantics. String() never returns NULL.
// Lengths and positions count bytes.
#ifndef _B_STRING_H
#define _B_STRING_H

#include <SupportDefs.h>

#include <stdarg.h>
#include <string.h>

#include <string>

class BString {
public:
	BString();
	BString(const char* string);
	BString(const char* string, int32 maxLength);
	BString(const BString& other);
	BString(BString&& other) noexcept;
	~BString();

	const char* String() const { return fString.c_str(); }
	int32 Length() const { return (int32)fString.size(); }
	int32 CountChars() const;

	BString& operator=(const BString& other);
	BString& operator=(BString&& other) noexcept;
	BString& operator=(const char* string);
	BString& operator=(char c);
	BString& SetTo(const char* string);
	BString& SetTo(const char* string, int32 maxLength);
	BString& SetTo(const BString& other);
	BString& SetTo(const BString& other, int32 maxLength);
	BString& SetTo(char c, int32 count);
	BString& SetToFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));
	BString& Adopt(BString& from);
	BString& Adopt(BString& from, int32 maxLength);

	BString& CopyInto(BString& into, int32 fromOffset, int32 length) const;
	void CopyInto(char* into, int32 fromOffset, int32 length) const;
	// Copies the range out, then removes it from this string.
	BString& MoveInto(BString& into, int32 from, int32 length);
	void MoveInto(char* into, int32 from, int32 length);

	BString& operator+=(const BString& string);
	BString& operator+=(const char* string);
	BString& operator+=(char c);
	BString& Append(const BString& string);
	BString& Append(const char* string);
	BString& Append(const BString& string, int32 length);
	BString& Append(const char* string, int32 length);
	BString& Append(char c, int32 count);
	BString& AppendChars(const char* string, int32 charCount);

	BString& Prepend(const char* string);
	BString& Prepend(const BString& string);
	BString& Prepend(const char* string, int32 length);
	BString& Prepend(const BString& string, int32 length);
	BString& Prepend(char c, int32 count);

	BString& Insert(const char* string, int32 position);
	BString& Insert(const char* string, int32 length, int32 position);
	BString& Insert(const char* string, int32 fromOffset, int32 length, int32 position);
	BString& Insert(const BString& string, int32 position);
	BString& Insert(const BString& string, int32 length, int32 position);
	BString& Insert(const BString& string, int32 fromOffset, int32 length, int32 position);
	BString& Insert(char c, int32 count, int32 position);

	BString& Truncate(int32 newLength, bool lazy = true);
	BString& Remove(int32 from, int32 length);
	BString& RemoveFirst(const BString& string);
	BString& RemoveLast(const BString& string);
	BString& RemoveAll(const BString& string);
	BString& RemoveFirst(const char* string);
	BString& RemoveLast(const char* string);
	BString& RemoveAll(const char* string);
	BString& RemoveSet(const char* setOfBytesToRemove);
	BString& Trim();

	BString& ReplaceFirst(char replaceThis, char withThis);
	BString& ReplaceLast(char replaceThis, char withThis);
	BString& ReplaceAll(char replaceThis, char withThis, int32 fromOffset = 0);
	BString& ReplaceFirst(const char* replaceThis, const char* withThis);
	BString& ReplaceLast(const char* replaceThis, const char* withThis);
	BString& ReplaceAll(const char* replaceThis, const char* withThis, int32 fromOffset = 0);
	BString& Replace(char replaceThis, char withThis, int32 maxReplaceCount, int32 fromOffset = 0);
	BString& Replace(const char* replaceThis, const char* withThis, int32 maxReplaceCount,
		int32 fromOffset = 0);

	// The same, matching without regard to ASCII case.
	BString& IReplaceFirst(char replaceThis, char withThis);
	BString& IReplaceLast(char replaceThis, char withThis);
	BString& IReplaceAll(char replaceThis, char withThis, int32 fromOffset = 0);
	BString& IReplace(char replaceThis, char withThis, int32 maxReplaceCount, int32 fromOffset = 0);
	BString& IReplaceFirst(const char* replaceThis, const char* withThis);
	BString& IReplaceLast(const char* replaceThis, const char* withThis);
	BString& IReplaceAll(const char* replaceThis, const char* withThis, int32 fromOffset = 0);
	BString& IReplace(const char* replaceThis, const char* withThis, int32 maxReplaceCount,
		int32 fromOffset = 0);

	// Each byte of setOfBytes becomes with.
	BString& ReplaceSet(const char* setOfBytes, char with);
	BString& ReplaceSet(const char* setOfBytes, const char* with);

	// Positions of a match, or B_ERROR.
	int32 FindFirst(const BString& string, int32 fromOffset = 0) const;
	int32 FindFirst(const char* string, int32 fromOffset = 0) const;
	int32 FindFirst(char c, int32 fromOffset = 0) const;
	int32 FindLast(const BString& string) const;
	int32 FindLast(const BString& string, int32 beforeOffset) const;
	int32 FindLast(const char* string) const;
	int32 FindLast(const char* string, int32 beforeOffset) const;
	int32 FindLast(char c) const;
	int32 FindLast(char c, int32 beforeOffset) const;
	int32 IFindFirst(const BString& string, int32 fromOffset = 0) const;
	int32 IFindFirst(const char* string, int32 fromOffset = 0) const;
	int32 IFindLast(const BString& string) const;
	int32 IFindLast(const BString& string, int32 beforeOffset) const;
	int32 IFindLast(const char* string) const;
	int32 IFindLast(const char* string, int32 beforeOffset) const;

	bool StartsWith(const char* prefix) const;
	bool EndsWith(const char* suffix) const;

	int Compare(const char* string) const;
	int Compare(const char* string, int32 length) const;
	int Compare(const BString& string) const { return Compare(string.String()); }
	int Compare(const BString& string, int32 length) const
		{ return Compare(string.String(), length); }
	int ICompare(const char* string) const;
	int ICompare(const char* string, int32 length) const;
	int ICompare(const BString& string) const { return ICompare(string.String()); }
	int ICompare(const BString& string, int32 length) const
		{ return ICompare(string.String(), length); }

	bool operator==(const BString& s) const { return fString == s.fString; }
	bool operator!=(const BString& s) const { return fString != s.fString; }
	bool operator<(const BString& s) const { return Compare(s) < 0; }
	bool operator<=(const BString& s) const { return Compare(s) <= 0; }
	bool operator>(const BString& s) const { return Compare(s) > 0; }
	bool operator>=(const BString& s) const { return Compare(s) >= 0; }
	bool operator==(const char* s) const { return Compare(s) == 0; }
	bool operator!=(const char* s) const { return Compare(s) != 0; }
	bool operator<(const char* s) const { return Compare(s) < 0; }
	bool operator>(const char* s) const { return Compare(s) > 0; }
	bool operator<=(const char* s) const { return Compare(s) <= 0; }
	bool operator>=(const char* s) const { return Compare(s) >= 0; }

	BString& ToLower();
	BString& ToUpper();
	BString& Capitalize();
	// Upper-cases the first letter of each run of letters, lower-cases the rest.
	BString& CapitalizeEachWord();

	// Sets this string to original (or keeps it when NULL) with escapeWith put before each
	// byte of setOfCharsToEscape; CharacterDeescape removes each escapeChar and keeps the
	// byte after it.
	BString& CharacterEscape(const char* original, const char* setOfCharsToEscape,
		char escapeWith);
	BString& CharacterEscape(const char* setOfCharsToEscape, char escapeWith);
	BString& CharacterDeescape(const char* original, char escapeChar);
	BString& CharacterDeescape(char escapeChar);

	// The byte at index, or 0 when out of range.
	char ByteAt(int32 index) const;
	char operator[](int32 index) const { return fString[index]; }
	// The character itself, unchecked, as the platform's was: index must be below Length().
	char& operator[](int32 index) { return fString[index]; }

	// Gives write access to at least maxLength bytes plus a NUL; UnlockBuffer() takes the
	// new length (or strlen of the buffer when -1). Nothing else may be called in between.
	char* LockBuffer(int32 maxLength);
	BString& UnlockBuffer(int32 length = -1);

	BString& operator<<(const char* string);
	BString& operator<<(const BString& string);
	BString& operator<<(char c);
	BString& operator<<(bool value);
	BString& operator<<(int value);
	BString& operator<<(unsigned int value);
	BString& operator<<(long value);
	BString& operator<<(unsigned long value);
	BString& operator<<(long long value);
	BString& operator<<(unsigned long long value);
	BString& operator<<(float value);
	BString& operator<<(double value);

private:
	std::string fString;
};

bool operator==(const char* a, const BString& b);
bool operator!=(const char* a, const BString& b);
bool operator<(const char* a, const BString& b);
bool operator<=(const char* a, const BString& b);
bool operator>(const char* a, const BString& b);
bool operator>=(const char* a, const BString& b);
int Compare(const BString& a, const BString& b);
int ICompare(const BString& a, const BString& b);
int Compare(const BString* a, const BString* b);
int ICompare(const BString* a, const BString* b);

#endif // _B_STRING_H

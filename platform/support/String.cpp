#include <String.h>

#include <ctype.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>

#include <utility>

namespace {

// strnlen bounded by a maximum that may be negative (meaning none).
size_t
BoundedLength(const char* string, int32 maxLength)
{
	if (string == NULL || maxLength <= 0)
		return 0;
	return strnlen(string, maxLength);
}


// A position clamped into [0, length].
size_t
Clamp(int32 position, size_t length)
{
	if (position < 0)
		return 0;
	return (size_t)position > length ? length : (size_t)position;
}

} // namespace


BString::BString()
{
}


BString::BString(const char* string)
{
	SetTo(string);
}


BString::BString(const char* string, int32 maxLength)
{
	SetTo(string, maxLength);
}


BString::BString(const BString& other)
	:
	fString(other.fString)
{
}


BString::BString(BString&& other) noexcept
	:
	fString(std::move(other.fString))
{
	other.fString.clear();
}


BString::~BString()
{
}


int32
BString::CountChars() const
{
	int32 count = 0;
	for (unsigned char c : fString) {
		// UTF-8 continuation bytes do not start a character.
		if ((c & 0xc0) != 0x80)
			count++;
	}
	return count;
}


BString&
BString::operator=(const BString& other)
{
	fString = other.fString;
	return *this;
}


BString&
BString::operator=(BString&& other) noexcept
{
	fString = std::move(other.fString);
	other.fString.clear();
	return *this;
}


BString&
BString::operator=(const char* string)
{
	return SetTo(string);
}


BString&
BString::operator=(char c)
{
	return SetTo(c, 1);
}


BString&
BString::SetTo(const char* string)
{
	if (string == NULL)
		fString.clear();
	else
		fString.assign(string);
	return *this;
}


BString&
BString::SetTo(const char* string, int32 maxLength)
{
	fString.assign(string != NULL ? string : "", BoundedLength(string, maxLength));
	return *this;
}


BString&
BString::SetTo(const BString& other)
{
	fString = other.fString;
	return *this;
}


BString&
BString::SetTo(const BString& other, int32 maxLength)
{
	fString.assign(other.fString, 0, Clamp(maxLength, other.fString.size()));
	return *this;
}


BString&
BString::SetTo(char c, int32 count)
{
	fString.assign(count > 0 ? count : 0, c);
	return *this;
}


BString&
BString::SetToFormat(const char* format, ...)
{
	va_list args;
	va_start(args, format);
	va_list copy;
	va_copy(copy, args);
	int length = vsnprintf(NULL, 0, format, copy);
	va_end(copy);
	if (length < 0)
		fString.clear();
	else {
		fString.resize(length);
		vsnprintf(fString.data(), length + 1, format, args);
	}
	va_end(args);
	return *this;
}


BString&
BString::Adopt(BString& from)
{
	fString = std::move(from.fString);
	from.fString.clear();
	return *this;
}


BString&
BString::CopyInto(BString& into, int32 fromOffset, int32 length) const
{
	if (&into != this) {
		size_t from = Clamp(fromOffset, fString.size());
		into.fString.assign(fString, from, length > 0 ? length : 0);
	}
	return into;
}


void
BString::CopyInto(char* into, int32 fromOffset, int32 length) const
{
	if (into == NULL)
		return;
	size_t from = Clamp(fromOffset, fString.size());
	size_t count = std::min(fString.size() - from, (size_t)(length > 0 ? length : 0));
	memcpy(into, fString.data() + from, count);
}


BString&
BString::operator+=(const BString& string)
{
	fString += string.fString;
	return *this;
}


BString&
BString::operator+=(const char* string)
{
	if (string != NULL)
		fString += string;
	return *this;
}


BString&
BString::operator+=(char c)
{
	fString += c;
	return *this;
}


BString&
BString::Append(const BString& string)
{
	return *this += string;
}


BString&
BString::Append(const char* string)
{
	return *this += string;
}


BString&
BString::Append(const BString& string, int32 length)
{
	fString.append(string.fString, 0, Clamp(length, string.fString.size()));
	return *this;
}


BString&
BString::Append(const char* string, int32 length)
{
	if (string != NULL)
		fString.append(string, BoundedLength(string, length));
	return *this;
}


BString&
BString::Append(char c, int32 count)
{
	if (count > 0)
		fString.append(count, c);
	return *this;
}


BString&
BString::AppendChars(const char* string, int32 charCount)
{
	if (string == NULL || charCount <= 0)
		return *this;
	size_t end = 0;
	int32 chars = 0;
	while (string[end] != '\0') {
		if (((unsigned char)string[end] & 0xc0) != 0x80 && chars++ == charCount)
			break;
		end++;
	}
	fString.append(string, end);
	return *this;
}


BString&
BString::Prepend(const char* string)
{
	if (string != NULL)
		fString.insert(0, string);
	return *this;
}


BString&
BString::Prepend(const BString& string)
{
	fString.insert(0, string.fString);
	return *this;
}


BString&
BString::Prepend(const char* string, int32 length)
{
	if (string != NULL)
		fString.insert(0, string, BoundedLength(string, length));
	return *this;
}


BString&
BString::Prepend(char c, int32 count)
{
	if (count > 0)
		fString.insert((size_t)0, (size_t)count, c);
	return *this;
}


BString&
BString::Insert(const char* string, int32 position)
{
	if (string != NULL)
		fString.insert(Clamp(position, fString.size()), string);
	return *this;
}


BString&
BString::Insert(const char* string, int32 length, int32 position)
{
	if (string != NULL) {
		fString.insert(Clamp(position, fString.size()), string,
			BoundedLength(string, length));
	}
	return *this;
}


BString&
BString::Insert(const BString& string, int32 position)
{
	fString.insert(Clamp(position, fString.size()), string.fString);
	return *this;
}


BString&
BString::Insert(char c, int32 count, int32 position)
{
	if (count > 0)
		fString.insert(Clamp(position, fString.size()), (size_t)count, c);
	return *this;
}


BString&
BString::Truncate(int32 newLength, bool lazy)
{
	if (newLength < 0)
		newLength = 0;
	if ((size_t)newLength < fString.size())
		fString.resize(newLength);
	return *this;
}


BString&
BString::Remove(int32 from, int32 length)
{
	if (from >= 0 && length > 0 && (size_t)from < fString.size())
		fString.erase(from, length);
	return *this;
}


BString&
BString::RemoveFirst(const char* string)
{
	int32 position = FindFirst(string);
	if (position >= 0)
		fString.erase(position, strlen(string));
	return *this;
}


BString&
BString::RemoveLast(const char* string)
{
	int32 position = FindLast(string);
	if (position >= 0)
		fString.erase(position, strlen(string));
	return *this;
}


BString&
BString::RemoveAll(const char* string)
{
	return ReplaceAll(string, "");
}


BString&
BString::RemoveSet(const char* setOfBytesToRemove)
{
	if (setOfBytesToRemove == NULL)
		return *this;
	std::string result;
	for (char c : fString) {
		if (strchr(setOfBytesToRemove, c) == NULL)
			result += c;
	}
	fString = std::move(result);
	return *this;
}


BString&
BString::Trim()
{
	size_t start = 0;
	while (start < fString.size() && isspace((unsigned char)fString[start]))
		start++;
	size_t end = fString.size();
	while (end > start && isspace((unsigned char)fString[end - 1]))
		end--;
	fString = fString.substr(start, end - start);
	return *this;
}


BString&
BString::ReplaceFirst(char replaceThis, char withThis)
{
	size_t position = fString.find(replaceThis);
	if (position != std::string::npos)
		fString[position] = withThis;
	return *this;
}


BString&
BString::ReplaceLast(char replaceThis, char withThis)
{
	size_t position = fString.rfind(replaceThis);
	if (position != std::string::npos)
		fString[position] = withThis;
	return *this;
}


BString&
BString::ReplaceAll(char replaceThis, char withThis, int32 fromOffset)
{
	for (size_t i = Clamp(fromOffset, fString.size()); i < fString.size(); i++) {
		if (fString[i] == replaceThis)
			fString[i] = withThis;
	}
	return *this;
}


BString&
BString::ReplaceFirst(const char* replaceThis, const char* withThis)
{
	int32 position = FindFirst(replaceThis);
	if (position >= 0 && withThis != NULL)
		fString.replace(position, strlen(replaceThis), withThis);
	return *this;
}


BString&
BString::ReplaceLast(const char* replaceThis, const char* withThis)
{
	int32 position = FindLast(replaceThis);
	if (position >= 0 && withThis != NULL)
		fString.replace(position, strlen(replaceThis), withThis);
	return *this;
}


BString&
BString::ReplaceAll(const char* replaceThis, const char* withThis, int32 fromOffset)
{
	if (replaceThis == NULL || replaceThis[0] == '\0' || withThis == NULL)
		return *this;
	size_t length = strlen(replaceThis);
	size_t withLength = strlen(withThis);
	size_t position = Clamp(fromOffset, fString.size());
	while ((position = fString.find(replaceThis, position)) != std::string::npos) {
		fString.replace(position, length, withThis);
		position += withLength;
	}
	return *this;
}


int32
BString::FindFirst(const char* string, int32 fromOffset) const
{
	if (string == NULL || fromOffset < 0 || (size_t)fromOffset > fString.size())
		return B_ERROR;
	size_t position = fString.find(string, fromOffset);
	return position == std::string::npos ? B_ERROR : (int32)position;
}


int32
BString::FindFirst(char c, int32 fromOffset) const
{
	if (fromOffset < 0 || (size_t)fromOffset > fString.size())
		return B_ERROR;
	size_t position = fString.find(c, fromOffset);
	return position == std::string::npos ? B_ERROR : (int32)position;
}


int32
BString::FindLast(const char* string) const
{
	if (string == NULL)
		return B_ERROR;
	size_t position = fString.rfind(string);
	return position == std::string::npos ? B_ERROR : (int32)position;
}


int32
BString::FindLast(const char* string, int32 beforeOffset) const
{
	if (string == NULL || beforeOffset < 0)
		return B_ERROR;
	size_t length = strlen(string);
	if ((size_t)beforeOffset < length)
		return B_ERROR;
	size_t position = fString.rfind(string, beforeOffset - length);
	return position == std::string::npos ? B_ERROR : (int32)position;
}


int32
BString::FindLast(char c) const
{
	size_t position = fString.rfind(c);
	return position == std::string::npos ? B_ERROR : (int32)position;
}


int32
BString::FindLast(char c, int32 beforeOffset) const
{
	if (beforeOffset <= 0)
		return B_ERROR;
	size_t position = fString.rfind(c, beforeOffset - 1);
	return position == std::string::npos ? B_ERROR : (int32)position;
}


int32
BString::IFindFirst(const char* string, int32 fromOffset) const
{
	if (string == NULL || fromOffset < 0 || (size_t)fromOffset > fString.size())
		return B_ERROR;
	size_t length = strlen(string);
	for (size_t i = fromOffset; i + length <= fString.size(); i++) {
		if (strncasecmp(fString.c_str() + i, string, length) == 0)
			return (int32)i;
	}
	return B_ERROR;
}


int32
BString::IFindLast(const char* string) const
{
	if (string == NULL)
		return B_ERROR;
	size_t length = strlen(string);
	if (length > fString.size())
		return B_ERROR;
	for (size_t i = fString.size() - length + 1; i-- > 0;) {
		if (strncasecmp(fString.c_str() + i, string, length) == 0)
			return (int32)i;
	}
	return B_ERROR;
}


bool
BString::StartsWith(const char* prefix) const
{
	return prefix != NULL && fString.compare(0, strlen(prefix), prefix) == 0;
}


bool
BString::EndsWith(const char* suffix) const
{
	if (suffix == NULL)
		return false;
	size_t length = strlen(suffix);
	return length <= fString.size()
		&& fString.compare(fString.size() - length, length, suffix) == 0;
}


int
BString::Compare(const char* string) const
{
	return strcmp(String(), string != NULL ? string : "");
}


int
BString::Compare(const char* string, int32 length) const
{
	return length > 0 ? strncmp(String(), string != NULL ? string : "", length) : 0;
}


int
BString::ICompare(const char* string) const
{
	return strcasecmp(String(), string != NULL ? string : "");
}


int
BString::ICompare(const char* string, int32 length) const
{
	return length > 0 ? strncasecmp(String(), string != NULL ? string : "", length) : 0;
}


BString&
BString::ToLower()
{
	for (char& c : fString)
		c = tolower((unsigned char)c);
	return *this;
}


BString&
BString::ToUpper()
{
	for (char& c : fString)
		c = toupper((unsigned char)c);
	return *this;
}


BString&
BString::Capitalize()
{
	ToLower();
	if (!fString.empty())
		fString[0] = toupper((unsigned char)fString[0]);
	return *this;
}


char
BString::ByteAt(int32 index) const
{
	if (index < 0 || (size_t)index >= fString.size())
		return 0;
	return fString[index];
}


char*
BString::LockBuffer(int32 maxLength)
{
	if (maxLength > 0 && (size_t)maxLength > fString.size())
		fString.resize(maxLength);
	return fString.data();
}


BString&
BString::UnlockBuffer(int32 length)
{
	if (length < 0)
		length = strnlen(fString.c_str(), fString.size());
	fString.resize(std::min((size_t)length, fString.size()));
	return *this;
}


BString&
BString::operator<<(const char* string)
{
	return *this += string;
}


BString&
BString::operator<<(const BString& string)
{
	return *this += string;
}


BString&
BString::operator<<(char c)
{
	return *this += c;
}


BString&
BString::operator<<(bool value)
{
	return *this += value ? "true" : "false";
}


BString&
BString::operator<<(int value)
{
	fString += std::to_string(value);
	return *this;
}


BString&
BString::operator<<(unsigned int value)
{
	fString += std::to_string(value);
	return *this;
}


BString&
BString::operator<<(long value)
{
	fString += std::to_string(value);
	return *this;
}


BString&
BString::operator<<(unsigned long value)
{
	fString += std::to_string(value);
	return *this;
}


BString&
BString::operator<<(long long value)
{
	fString += std::to_string(value);
	return *this;
}


BString&
BString::operator<<(unsigned long long value)
{
	fString += std::to_string(value);
	return *this;
}


BString&
BString::operator<<(float value)
{
	char buffer[400];
	snprintf(buffer, sizeof(buffer), "%.2f", value);
	return *this += buffer;
}


BString&
BString::operator<<(double value)
{
	char buffer[400];
	snprintf(buffer, sizeof(buffer), "%.2f", value);
	return *this += buffer;
}


bool
operator==(const char* a, const BString& b)
{
	return b == a;
}


bool
operator!=(const char* a, const BString& b)
{
	return b != a;
}


int
Compare(const BString& a, const BString& b)
{
	return a.Compare(b);
}


int
ICompare(const BString& a, const BString& b)
{
	return a.ICompare(b);
}

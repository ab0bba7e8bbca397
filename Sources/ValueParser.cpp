#include "ValueParser.h"

#include <Message.h>
#include <Point.h>
#include <Rect.h>

#include <ctype.h>
#include <errno.h>
#include <math.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>


namespace {

const char* kForms = "a value is a \"string\" in double quotes, an integer, a float, true, "
	"false, BPoint(x, y) or BRect(left, top, right, bottom)";


bool
read_integer(const std::string& text, int64* value)
{
	if (text.empty() || !(isdigit((unsigned char)text[0]) || text[0] == '-'))
		return false;
	char* end;
	errno = 0;
	long long number = strtoll(text.c_str(), &end, 10);
	if (errno != 0 || *end != '\0' || !isdigit((unsigned char)text.back()))
		return false;
	*value = number;
	return true;
}


// A finite float written in decimal (no hexadecimal, infinity or NaN).
bool
read_float(const std::string& text, float* value)
{
	if (text.empty() || text.find_first_not_of("0123456789+-.eE") != std::string::npos
		|| text[0] == '+' || text[0] == 'e' || text[0] == 'E')
		return false;
	char* end;
	errno = 0;
	float number = strtof(text.c_str(), &end);
	if (errno != 0 || *end != '\0' || !isfinite(number))
		return false;
	*value = number;
	return true;
}


// The floats between "<name>(" and ")", separated by commas; blanks around them are allowed.
bool
read_floats(const std::string& text, const char* name, size_t count, std::vector<float>* values)
{
	std::string open = std::string(name) + "(";
	if (text.compare(0, open.size(), open) != 0 || text.back() != ')')
		return false;
	std::string inside = text.substr(open.size(), text.size() - open.size() - 1);
	size_t start = 0;
	for (;;) {
		size_t comma = inside.find(',', start);
		std::string item = inside.substr(start, comma == std::string::npos
			? std::string::npos : comma - start);
		size_t first = item.find_first_not_of(' ');
		size_t last = item.find_last_not_of(' ');
		float value;
		if (first == std::string::npos
			|| !read_float(item.substr(first, last - first + 1), &value))
			return false;
		values->push_back(value);
		if (comma == std::string::npos)
			break;
		start = comma + 1;
	}
	return values->size() == count;
}

} // namespace


status_t
parse_value(const char* text, BMessage* message, const char* field, BString* problem)
{
	std::string value(text);
	size_t length = value.size();

	if (length > 0 && value[0] == '"') {
		if (length < 2 || value[length - 1] != '"') {
			*problem = "this string has no closing double quote";
			return B_BAD_VALUE;
		}
		return message->AddString(field, value.substr(1, length - 2).c_str());
	}
	if (value == "true" || value == "false")
		return message->AddBool(field, value == "true");

	int64 integer;
	if (read_integer(value, &integer)) {
		if (integer >= INT32_MIN && integer <= INT32_MAX)
			return message->AddInt32(field, (int32)integer);
		return message->AddInt64(field, integer);
	}
	float number;
	if (read_float(value, &number))
		return message->AddFloat(field, number);

	std::vector<float> numbers;
	if (value.compare(0, 6, "BRect(") == 0) {
		if (!read_floats(value, "BRect", 4, &numbers)) {
			*problem = "a rectangle is BRect(left, top, right, bottom), four numbers";
			return B_BAD_VALUE;
		}
		return message->AddRect(field,
			BRect(numbers[0], numbers[1], numbers[2], numbers[3]));
	}
	if (value.compare(0, 7, "BPoint(") == 0) {
		if (!read_floats(value, "BPoint", 2, &numbers)) {
			*problem = "a point is BPoint(x, y), two numbers";
			return B_BAD_VALUE;
		}
		return message->AddPoint(field, BPoint(numbers[0], numbers[1]));
	}

	*problem = kForms;
	return B_BAD_VALUE;
}

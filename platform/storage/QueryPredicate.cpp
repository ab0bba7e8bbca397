#include "QueryPredicate.h"

#include <TypeConstants.h>

#include <ctype.h>
#include <fnmatch.h>
#include <stdlib.h>
#include <string.h>

namespace BPrivate {

namespace {

enum NodeKind {
	kAnd,
	kOr,
	kNot,
	kCompare
};

enum CompareOp {
	kEqual,
	kNotEqual,
	kLess,
	kLessOrEqual,
	kGreater,
	kGreaterOrEqual
};

const char* const kDirectoryType = "application/x-vnd.Be-directory";
const char* const kSymLinkType = "application/x-vnd.Be-symlink";


class Parser {
public:
	Parser(const char* text, std::set<std::string>* attributes, bool* needsStat)
		:
		fText(text),
		fPosition(0),
		fAttributes(attributes),
		fNeedsStat(needsStat)
	{
	}

	std::unique_ptr<QueryPredicate::Node> Parse(std::string* error);

private:
	std::unique_ptr<QueryPredicate::Node> _Or(int32 depth);
	std::unique_ptr<QueryPredicate::Node> _And(int32 depth);
	std::unique_ptr<QueryPredicate::Node> _Unary(int32 depth);
	std::unique_ptr<QueryPredicate::Node> _Comparison();
	bool _Value(std::string* value, bool* quoted);
	void _SkipSpace();
	bool _Take(const char* token);
	void _Fail(const char* what);

	const char* fText;
	size_t fPosition;
	std::string fError;
	std::set<std::string>* fAttributes;
	bool* fNeedsStat;
};

} // namespace


struct QueryPredicate::Node {
	NodeKind kind;
	std::unique_ptr<Node> left;
	std::unique_ptr<Node> right;
	// A comparison.
	std::string attribute;
	CompareOp op;
	std::string value;
	bool quoted;
	bool hasWildcards;
	bool isNumber;
	bool isInteger;
	int64 integer;
	double number;

	bool Matches(const QueryCandidate& candidate) const;
	bool Compare(uint32 type, const std::string& data) const;
};


namespace {

bool
is_name_character(char c)
{
	return c != '\0' && !isspace((unsigned char)c) && strchr("=!<>()&|\"", c) == NULL;
}


std::unique_ptr<QueryPredicate::Node>
Parser::Parse(std::string* error)
{
	std::unique_ptr<QueryPredicate::Node> root = _Or(0);
	_SkipSpace();
	if (root != nullptr && fText[fPosition] != '\0') {
		_Fail("an operator or the end of the predicate");
		root.reset();
	}
	if (root == nullptr && error != NULL)
		*error = fError;
	return root;
}


std::unique_ptr<QueryPredicate::Node>
Parser::_Or(int32 depth)
{
	std::unique_ptr<QueryPredicate::Node> left = _And(depth);
	while (left != nullptr && _Take("||")) {
		std::unique_ptr<QueryPredicate::Node> right = _And(depth);
		if (right == nullptr)
			return nullptr;
		auto node = std::make_unique<QueryPredicate::Node>();
		node->kind = kOr;
		node->left = std::move(left);
		node->right = std::move(right);
		left = std::move(node);
	}
	return left;
}


std::unique_ptr<QueryPredicate::Node>
Parser::_And(int32 depth)
{
	std::unique_ptr<QueryPredicate::Node> left = _Unary(depth);
	while (left != nullptr && _Take("&&")) {
		std::unique_ptr<QueryPredicate::Node> right = _Unary(depth);
		if (right == nullptr)
			return nullptr;
		auto node = std::make_unique<QueryPredicate::Node>();
		node->kind = kAnd;
		node->left = std::move(left);
		node->right = std::move(right);
		left = std::move(node);
	}
	return left;
}


std::unique_ptr<QueryPredicate::Node>
Parser::_Unary(int32 depth)
{
	if (depth >= kMaxPredicateDepth) {
		_Fail("less nesting");
		return nullptr;
	}
	_SkipSpace();
	if (fText[fPosition] == '!' && fText[fPosition + 1] != '=') {
		fPosition++;
		std::unique_ptr<QueryPredicate::Node> operand = _Unary(depth + 1);
		if (operand == nullptr)
			return nullptr;
		auto node = std::make_unique<QueryPredicate::Node>();
		node->kind = kNot;
		node->left = std::move(operand);
		return node;
	}
	if (_Take("(")) {
		std::unique_ptr<QueryPredicate::Node> inner = _Or(depth + 1);
		if (inner == nullptr)
			return nullptr;
		if (!_Take(")")) {
			_Fail("\")\"");
			return nullptr;
		}
		return inner;
	}
	return _Comparison();
}


std::unique_ptr<QueryPredicate::Node>
Parser::_Comparison()
{
	_SkipSpace();
	size_t start = fPosition;
	while (is_name_character(fText[fPosition]))
		fPosition++;
	if (fPosition == start) {
		_Fail("an attribute name");
		return nullptr;
	}
	auto node = std::make_unique<QueryPredicate::Node>();
	node->kind = kCompare;
	node->attribute.assign(fText + start, fPosition - start);

	static const struct {
		const char* token;
		CompareOp op;
	} kOperators[] = {
		{"==", kEqual}, {"!=", kNotEqual}, {"<=", kLessOrEqual}, {">=", kGreaterOrEqual},
		{"<", kLess}, {">", kGreater}, {"=", kEqual}
	};
	bool found = false;
	for (const auto& candidate : kOperators) {
		if (_Take(candidate.token)) {
			node->op = candidate.op;
			found = true;
			break;
		}
	}
	if (!found) {
		_Fail("a comparison (==, !=, <, <=, >, >=)");
		return nullptr;
	}
	if (!_Value(&node->value, &node->quoted))
		return nullptr;

	node->hasWildcards = node->value.find_first_of("*?[\\") != std::string::npos;
	const char* begin = node->value.c_str();
	char* end = NULL;
	node->isNumber = false;
	node->isInteger = false;
	if (!node->value.empty()) {
		node->integer = strtoll(begin, &end, 0);
		node->isInteger = *end == '\0';
		node->number = strtod(begin, &end);
		node->isNumber = *end == '\0';
	}

	if (node->attribute == "size" || node->attribute == "last_modified"
		|| node->attribute == "created" || node->attribute == "BEOS:TYPE")
		*fNeedsStat = true;
	if (node->attribute != "name" && node->attribute != "size"
		&& node->attribute != "last_modified" && node->attribute != "created")
		fAttributes->insert(node->attribute);
	return node;
}


bool
Parser::_Value(std::string* value, bool* quoted)
{
	_SkipSpace();
	value->clear();
	*quoted = fText[fPosition] == '"';
	if (!*quoted) {
		size_t start = fPosition;
		while (is_name_character(fText[fPosition]))
			fPosition++;
		if (fPosition == start) {
			_Fail("a value");
			return false;
		}
		value->assign(fText + start, fPosition - start);
		return true;
	}
	fPosition++;
	while (fText[fPosition] != '"') {
		char c = fText[fPosition];
		if (c == '\0') {
			_Fail("the closing quote");
			return false;
		}
		if (c == '\\' && fText[fPosition + 1] != '\0') {
			// An escaped wildcard stays escaped, so that it matches itself.
			char next = fText[fPosition + 1];
			if (strchr("*?[]\\", next) != NULL)
				value->push_back('\\');
			value->push_back(next);
			fPosition += 2;
			continue;
		}
		value->push_back(c);
		fPosition++;
	}
	fPosition++;
	return true;
}


void
Parser::_SkipSpace()
{
	while (isspace((unsigned char)fText[fPosition]))
		fPosition++;
}


bool
Parser::_Take(const char* token)
{
	_SkipSpace();
	size_t length = strlen(token);
	if (strncmp(fText + fPosition, token, length) != 0)
		return false;
	fPosition += length;
	return true;
}


void
Parser::_Fail(const char* what)
{
	if (!fError.empty())
		return;
	fError = "expected ";
	fError += what;
	fError += " at offset ";
	fError += std::to_string(fPosition);
}


// The numeric value of an attribute's data, when its type is a number.
bool
numeric_value(uint32 type, const std::string& data, bool* integral, int64* integer,
	double* number)
{
	auto read = [&](auto sample) {
		if (data.size() != sizeof(sample))
			return false;
		memcpy(&sample, data.data(), sizeof(sample));
		*integer = (int64)sample;
		*number = (double)sample;
		return true;
	};
	*integral = true;
	switch (type) {
		case B_INT8_TYPE: return read(int8());
		case B_UINT8_TYPE: return read(uint8());
		case B_INT16_TYPE: return read(int16());
		case B_UINT16_TYPE: return read(uint16());
		case B_INT32_TYPE: return read(int32());
		case B_UINT32_TYPE: return read(uint32());
		case B_INT64_TYPE:
		case B_SSIZE_T_TYPE: return read(int64());
		case B_UINT64_TYPE:
		case B_SIZE_T_TYPE: return read(uint64());
		case B_TIME_TYPE:
			return data.size() == 4 ? read(int32()) : read(int64());
		case B_BOOL_TYPE: return read(bool());
		case B_FLOAT_TYPE:
			*integral = false;
			return read(float());
		case B_DOUBLE_TYPE:
			*integral = false;
			return read(double());
	}
	return false;
}


template<typename Value>
bool
apply(CompareOp op, const Value& a, const Value& b)
{
	switch (op) {
		case kEqual: return a == b;
		case kNotEqual: return !(a == b);
		case kLess: return a < b;
		case kLessOrEqual: return a < b || a == b;
		case kGreater: return b < a;
		case kGreaterOrEqual: return b < a || a == b;
	}
	return false;
}

} // namespace


bool
QueryPredicate::Node::Compare(uint32 type, const std::string& data) const
{
	bool integral;
	int64 integer;
	double numberValue;
	if (numeric_value(type, data, &integral, &integer, &numberValue)) {
		if (!isNumber)
			return false;
		if (integral && isInteger)
			return apply(op, integer, this->integer);
		return apply(op, numberValue, number);
	}
	// Strings: up to their first NUL, which the kit's own writers keep.
	std::string text(data.c_str(), strnlen(data.data(), data.size()));
	if ((op == kEqual || op == kNotEqual) && hasWildcards) {
		bool matches = fnmatch(value.c_str(), text.c_str(), 0) == 0;
		return op == kEqual ? matches : !matches;
	}
	return apply(op, text, value);
}


bool
QueryPredicate::Node::Matches(const QueryCandidate& candidate) const
{
	switch (kind) {
		case kAnd:
			return left->Matches(candidate) && right->Matches(candidate);
		case kOr:
			return left->Matches(candidate) || right->Matches(candidate);
		case kNot:
			return !left->Matches(candidate);
		case kCompare:
			break;
	}
	if (attribute == "name")
		return Compare(B_STRING_TYPE, candidate.name);
	if (candidate.stat != NULL) {
		if (attribute == "size") {
			int64 size = candidate.stat->st_size;
			return Compare(B_INT64_TYPE, std::string((const char*)&size, sizeof(size)));
		}
		if (attribute == "last_modified" || attribute == "created") {
			int64 time = attribute == "created" && candidate.stat->st_ctime
					< candidate.stat->st_mtime
				? candidate.stat->st_ctime : candidate.stat->st_mtime;
			return Compare(B_INT64_TYPE, std::string((const char*)&time, sizeof(time)));
		}
	}
	uint32 type;
	std::string data;
	if (candidate.attributeReader && candidate.attributeReader(attribute.c_str(), &type, &data))
		return Compare(type, data);
	// Directories and links are typed by their kind, as the platform's are.
	if (attribute == "BEOS:TYPE" && candidate.stat != NULL) {
		if (S_ISDIR(candidate.stat->st_mode))
			return Compare(B_MIME_STRING_TYPE, kDirectoryType);
		if (S_ISLNK(candidate.stat->st_mode))
			return Compare(B_MIME_STRING_TYPE, kSymLinkType);
	}
	// An entry without the attribute differs from every value and orders with none.
	return op == kNotEqual;
}


QueryPredicate::QueryPredicate()
	:
	fNeedsStat(false)
{
}


QueryPredicate::~QueryPredicate()
{
}


status_t
QueryPredicate::SetTo(const char* text, std::string* error)
{
	fRoot.reset();
	fAttributes.clear();
	fNeedsStat = false;
	if (text == NULL || strnlen(text, kMaxPredicateLength + 1) > kMaxPredicateLength) {
		if (error != NULL)
			*error = text == NULL ? "no predicate" : "the predicate is too long";
		return B_BAD_VALUE;
	}
	Parser parser(text, &fAttributes, &fNeedsStat);
	fRoot = parser.Parse(error);
	if (fRoot == nullptr) {
		fAttributes.clear();
		return B_BAD_VALUE;
	}
	return B_OK;
}


bool
QueryPredicate::Matches(const QueryCandidate& candidate) const
{
	return fRoot != nullptr && fRoot->Matches(candidate);
}


std::string
QueryPredicate::Quote(const std::string& text)
{
	std::string quoted = "\"";
	for (char c : text) {
		if (c == '"' || c == '\\')
			quoted.push_back('\\');
		quoted.push_back(c);
	}
	quoted.push_back('"');
	return quoted;
}


std::string
QueryPredicate::CaseInsensitivePattern(const std::string& text)
{
	std::string pattern;
	for (char c : text) {
		unsigned char letter = (unsigned char)c;
		if (isalpha(letter)) {
			pattern += '[';
			pattern += (char)tolower(letter);
			pattern += (char)toupper(letter);
			pattern += ']';
		} else
			pattern += c;
	}
	return pattern;
}

} // namespace BPrivate

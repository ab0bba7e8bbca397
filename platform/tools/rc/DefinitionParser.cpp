#include "DefinitionParser.h"

#include "ResourceEncoders.h"

#include <AppFileInfo.h>
#include <Message.h>
#include <Roster.h>

#include <string.h>

#include <map>
#include <set>
#include <utility>

namespace {

struct NamedValue {
	const char*	name;
	uint32		value;
};

const NamedValue kAppFlags[] = {
	{ "B_SINGLE_LAUNCH", B_SINGLE_LAUNCH },
	{ "B_MULTIPLE_LAUNCH", B_MULTIPLE_LAUNCH },
	{ "B_EXCLUSIVE_LAUNCH", B_EXCLUSIVE_LAUNCH },
	{ "B_BACKGROUND_APP", B_BACKGROUND_APP },
	{ "B_ARGV_ONLY", B_ARGV_ONLY },
};

const NamedValue kVarieties[] = {
	{ "development", B_DEVELOPMENT_VERSION },
	{ "alpha", B_ALPHA_VERSION },
	{ "beta", B_BETA_VERSION },
	{ "gamma", B_GAMMA_VERSION },
	{ "golden_master", B_GOLDEN_MASTER_VERSION },
	{ "final", B_FINAL_VERSION },
};

// Bitmaps larger than any icon are a mistake in the definition.
const int64 kMaxBitmapSide = 256;


const NamedValue*
find_named(const NamedValue* table, size_t count, const std::string& name)
{
	for (size_t i = 0; i < count; i++) {
		if (name == table[i].name)
			return &table[i];
	}
	return NULL;
}

} // namespace


DefinitionParser::DefinitionParser(const std::string& source)
	:
	fLexer(source)
{
	_Advance();
}


const std::string&
DefinitionParser::Error() const
{
	return fError;
}


bool
DefinitionParser::Parse(std::vector<CompiledResource>* resources)
{
	std::set<std::pair<type_code, int32>> seen;
	while (fToken.kind != TOKEN_END) {
		CompiledResource resource;
		int32 line = fToken.line;
		if (!_ParseResource(&resource))
			return false;
		if (!seen.insert(std::make_pair(resource.type, resource.id)).second) {
			fError = "line " + std::to_string(line)
				+ ": a resource of this type and id is already defined";
			return false;
		}
		resources->push_back(std::move(resource));
	}
	return true;
}


bool
DefinitionParser::_Fail(const std::string& message)
{
	if (fError.empty()) {
		fError = "line " + std::to_string(fToken.line) + ": "
			+ (fToken.kind == TOKEN_ERROR ? fToken.text : message);
	}
	return false;
}


void
DefinitionParser::_Advance()
{
	fToken = fLexer.Next();
}


bool
DefinitionParser::_Expect(token_kind kind, const char* what)
{
	if (fToken.kind != kind)
		return _Fail(std::string("expected ") + what);
	return true;
}


bool
DefinitionParser::_ExpectSymbol(char symbol)
{
	if (!_IsSymbol(symbol))
		return _Fail(std::string("expected '") + symbol + "'");
	_Advance();
	return true;
}


bool
DefinitionParser::_IsSymbol(char symbol) const
{
	return fToken.kind == TOKEN_SYMBOL && fToken.text[0] == symbol;
}


bool
DefinitionParser::_IsWord(const char* word) const
{
	return fToken.kind == TOKEN_WORD && fToken.text == word;
}


bool
DefinitionParser::_ReadInteger(int64 min, int64 max, int64* value)
{
	if (fToken.kind != TOKEN_NUMBER && fToken.kind != TOKEN_CODE)
		return _Fail("expected a number");
	if (fToken.number < min || fToken.number > max)
		return _Fail("number out of range: " + fToken.text);
	*value = fToken.number;
	_Advance();
	return true;
}


bool
DefinitionParser::_ReadString(std::string* value)
{
	if (!_Expect(TOKEN_STRING, "a string"))
		return false;
	*value = fToken.text;
	_Advance();
	return true;
}


bool
DefinitionParser::_ParseResource(CompiledResource* resource)
{
	if (!_IsWord("resource"))
		return _Fail("expected 'resource'");
	_Advance();

	int64 type;
	int64 id;
	if (!_ReadInteger(0, UINT32_MAX, &type) || !_ReadInteger(INT32_MIN, INT32_MAX, &id))
		return false;
	resource->type = (type_code)type;
	resource->id = (int32)id;
	if (fToken.kind == TOKEN_STRING && !_ReadString(&resource->name))
		return false;
	if (resource->name.size() >= B_FILE_NAME_LENGTH)
		return _Fail("resource name too long");

	if (!_ExpectSymbol('{'))
		return false;
	while (!_IsSymbol('}')) {
		if (fToken.kind == TOKEN_END)
			return _Fail("expected '}'");
		if (!_ParseValue(&resource->data))
			return false;
	}
	_Advance();
	return true;
}


bool
DefinitionParser::_ParseValue(std::vector<uint8>* data)
{
	if (fToken.kind != TOKEN_WORD)
		return _Fail("expected a value: string, int32, uint32, flags, version, message "
			"or bitmap");
	std::string kind = fToken.text;
	_Advance();

	if (kind == "string") {
		std::string value;
		if (!_ReadString(&value))
			return false;
		data->insert(data->end(), value.begin(), value.end());
		data->push_back('\0');
		return true;
	}
	if (kind == "int32" || kind == "uint32") {
		int64 value;
		if (!_ReadInteger(kind == "int32" ? INT32_MIN : 0,
				kind == "int32" ? INT32_MAX : UINT32_MAX, &value))
			return false;
		append_uint32(data, (uint32)value);
		return true;
	}
	if (kind == "flags") {
		uint32 flags;
		if (!_ParseFlags(&flags))
			return false;
		append_uint32(data, flags);
		return true;
	}
	if (kind == "version")
		return _ParseVersion(data);
	if (kind == "message") {
		BMessage message;
		if (!_ParseMessage(&message))
			return false;
		if (append_message(data, message) != B_OK)
			return _Fail("the message does not flatten");
		return true;
	}
	if (kind == "bitmap")
		return _ParseBitmap(data);
	return _Fail("unknown value kind '" + kind + "'");
}


bool
DefinitionParser::_ParseFlags(uint32* flags)
{
	*flags = 0;
	while (true) {
		if (fToken.kind == TOKEN_WORD) {
			const NamedValue* flag = find_named(kAppFlags, B_COUNT_OF(kAppFlags),
				fToken.text);
			if (flag == NULL)
				return _Fail("unknown flag '" + fToken.text + "'");
			*flags |= flag->value;
			_Advance();
		} else {
			int64 value;
			if (!_ReadInteger(0, UINT32_MAX, &value))
				return false;
			*flags |= (uint32)value;
		}
		if (!_IsSymbol('|'))
			return true;
		_Advance();
	}
}


bool
DefinitionParser::_ParseVersion(std::vector<uint8>* data)
{
	version_info version;
	memset(&version, 0, sizeof(version));
	if (!_ExpectSymbol('{'))
		return false;

	std::map<std::string, uint32*> numbers = {
		{ "major", &version.major }, { "middle", &version.middle },
		{ "minor", &version.minor }, { "internal", &version.internal } };
	while (!_IsSymbol('}')) {
		if (!_Expect(TOKEN_WORD, "a version field or '}'"))
			return false;
		std::string field = fToken.text;
		_Advance();

		auto number = numbers.find(field);
		int64 value;
		std::string text;
		if (number != numbers.end()) {
			if (!_ReadInteger(0, UINT32_MAX, &value))
				return false;
			*number->second = (uint32)value;
		} else if (field == "variety") {
			if (fToken.kind == TOKEN_WORD) {
				const NamedValue* variety = find_named(kVarieties, B_COUNT_OF(kVarieties),
					fToken.text);
				if (variety == NULL)
					return _Fail("unknown variety '" + fToken.text + "'");
				version.variety = variety->value;
				_Advance();
			} else {
				if (!_ReadInteger(0, UINT32_MAX, &value))
					return false;
				version.variety = (uint32)value;
			}
		} else if (field == "short" || field == "long") {
			if (!_ReadString(&text))
				return false;
			char* target = field == "short" ? version.short_info : version.long_info;
			size_t capacity = field == "short" ? sizeof(version.short_info)
				: sizeof(version.long_info);
			if (text.size() >= capacity)
				return _Fail("the " + field + " text is longer than "
					+ std::to_string(capacity - 1) + " bytes");
			memcpy(target, text.c_str(), text.size() + 1);
		} else
			return _Fail("unknown version field '" + field + "'");
	}
	_Advance();
	append_version(data, version);
	return true;
}


bool
DefinitionParser::_ParseMessage(BMessage* message)
{
	int64 what;
	if (!_ReadInteger(0, UINT32_MAX, &what))
		return false;
	message->what = (uint32)what;
	if (!_ExpectSymbol('{'))
		return false;

	while (!_IsSymbol('}')) {
		if (!_Expect(TOKEN_WORD, "a field type or '}'"))
			return false;
		std::string kind = fToken.text;
		_Advance();
		std::string name;
		if (!_ReadString(&name))
			return false;

		status_t status;
		int64 number;
		std::string text;
		if (kind == "string") {
			if (!_ReadString(&text))
				return false;
			status = message->AddString(name.c_str(), text.c_str());
		} else if (kind == "int32") {
			if (!_ReadInteger(INT32_MIN, INT32_MAX, &number))
				return false;
			status = message->AddInt32(name.c_str(), (int32)number);
		} else if (kind == "bool") {
			if (!_IsWord("true") && !_IsWord("false"))
				return _Fail("expected true or false");
			status = message->AddBool(name.c_str(), fToken.text == "true");
			_Advance();
		} else if (kind == "message") {
			BMessage inner;
			if (!_ParseMessage(&inner))
				return false;
			status = message->AddMessage(name.c_str(), &inner);
		} else
			return _Fail("unknown field type '" + kind + "'");
		if (status != B_OK)
			return _Fail("cannot add the field \"" + name + "\"");
	}
	_Advance();
	return true;
}


bool
DefinitionParser::_ParseBitmap(std::vector<uint8>* data)
{
	if (!_ExpectSymbol('{'))
		return false;

	int64 width = 0;
	int64 height = 0;
	std::map<char, uint8> key;
	std::vector<uint8> pixels;
	int64 rows = 0;
	while (!_IsSymbol('}')) {
		if (_IsWord("size")) {
			_Advance();
			if (!_ReadInteger(1, kMaxBitmapSide, &width)
				|| !_ReadInteger(1, kMaxBitmapSide, &height))
				return false;
		} else if (_IsWord("key")) {
			_Advance();
			do {
				std::string character;
				int64 index;
				if (!_ReadString(&character))
					return false;
				if (character.size() != 1)
					return _Fail("a key names one character");
				if (!_ReadInteger(0, 255, &index))
					return false;
				key[character[0]] = (uint8)index;
			} while (fToken.kind == TOKEN_STRING);
		} else if (_IsWord("row")) {
			_Advance();
			std::string row;
			if (width == 0)
				return _Fail("the size comes before the rows");
			if (!_ReadString(&row))
				return false;
			if ((int64)row.size() != width)
				return _Fail("a row has " + std::to_string(width) + " pixels");
			for (char c : row) {
				auto entry = key.find(c);
				if (entry == key.end())
					return _Fail(std::string("no key for '") + c + "'");
				pixels.push_back(entry->second);
			}
			rows++;
		} else
			return _Fail("expected size, key, row or '}'");
	}
	if (width == 0 || rows != height)
		return _Fail("a bitmap has a size and one row per line of pixels");
	_Advance();
	if (append_cmap8_bitmap(data, (int32)width, (int32)height, pixels) != B_OK)
		return _Fail("the bitmap does not flatten");
	return true;
}

#include "DefinitionLexer.h"

#include <ctype.h>
#include <errno.h>
#include <stdlib.h>


DefinitionLexer::DefinitionLexer(const std::string& source)
	:
	fSource(source),
	fPosition(0),
	fLine(1)
{
}


Token
DefinitionLexer::Next()
{
	_SkipSpace();
	if (fPosition >= fSource.size())
		return _Make(TOKEN_END, "");

	char c = fSource[fPosition];
	if (isalpha((unsigned char)c) || c == '_') {
		size_t start = fPosition;
		while (fPosition < fSource.size()
			&& (isalnum((unsigned char)fSource[fPosition]) || fSource[fPosition] == '_'))
			fPosition++;
		return _Make(TOKEN_WORD, fSource.substr(start, fPosition - start));
	}
	if (isdigit((unsigned char)c) || c == '-')
		return _ReadNumber();
	if (c == '\'')
		return _ReadCode();
	if (c == '"')
		return _ReadString();
	if (c == '{' || c == '}' || c == '|') {
		fPosition++;
		return _Make(TOKEN_SYMBOL, std::string(1, c));
	}
	return _Make(TOKEN_ERROR, std::string("unexpected character '") + c + "'");
}


void
DefinitionLexer::_SkipSpace()
{
	while (fPosition < fSource.size()) {
		char c = fSource[fPosition];
		if (c == '#') {
			while (fPosition < fSource.size() && fSource[fPosition] != '\n')
				fPosition++;
		} else if (isspace((unsigned char)c)) {
			if (c == '\n')
				fLine++;
			fPosition++;
		} else
			break;
	}
}


Token
DefinitionLexer::_Make(token_kind kind, const std::string& text, int64 number) const
{
	return Token{ kind, text, number, fLine };
}


Token
DefinitionLexer::_ReadNumber()
{
	size_t start = fPosition;
	if (fSource[fPosition] == '-')
		fPosition++;
	while (fPosition < fSource.size() && isalnum((unsigned char)fSource[fPosition]))
		fPosition++;
	std::string text = fSource.substr(start, fPosition - start);

	errno = 0;
	char* end = NULL;
	long long value = strtoll(text.c_str(), &end, 0);
	if (text == "-" || *end != '\0' || errno != 0)
		return _Make(TOKEN_ERROR, "bad number \"" + text + "\"");
	return _Make(TOKEN_NUMBER, text, value);
}


Token
DefinitionLexer::_ReadCode()
{
	// Four characters, the first in the highest byte: 'MSGG' is 0x4d534747.
	size_t start = ++fPosition;
	while (fPosition < fSource.size() && fSource[fPosition] != '\''
		&& fSource[fPosition] != '\n')
		fPosition++;
	if (fPosition >= fSource.size() || fSource[fPosition] != '\'' || fPosition - start != 4)
		return _Make(TOKEN_ERROR, "a type code has four characters between quotes");
	std::string text = fSource.substr(start, 4);
	fPosition++;
	int64 value = 0;
	for (char c : text)
		value = (value << 8) | (uint8)c;
	return _Make(TOKEN_CODE, text, value);
}


Token
DefinitionLexer::_ReadString()
{
	int32 line = fLine;
	std::string value;
	std::string error;
	if (!_ReadOneString(value, error))
		return Token{ TOKEN_ERROR, error, 0, line };
	return Token{ TOKEN_STRING, value, 0, line };
}


bool
DefinitionLexer::_ReadOneString(std::string& out, std::string& error)
{
	fPosition++;
	while (fPosition < fSource.size()) {
		char c = fSource[fPosition++];
		if (c == '"')
			return true;
		if (c == '\n') {
			error = "a string ends at the end of its line";
			return false;
		}
		if (c != '\\') {
			out += c;
			continue;
		}
		if (fPosition >= fSource.size())
			break;
		char escape = fSource[fPosition++];
		switch (escape) {
			case 'n':
				out += '\n';
				break;
			case 't':
				out += '\t';
				break;
			case '"':
			case '\\':
				out += escape;
				break;
			case 'x': {
				std::string hex = fSource.substr(fPosition, 2);
				if (hex.size() != 2 || !isxdigit((unsigned char)hex[0])
					|| !isxdigit((unsigned char)hex[1])) {
					error = "\\x takes two hexadecimal digits";
					return false;
				}
				char byte = (char)strtol(hex.c_str(), NULL, 16);
				if (byte == '\0') {
					error = "a string cannot hold a NUL";
					return false;
				}
				out += byte;
				fPosition += 2;
				break;
			}
			default:
				error = std::string("unknown escape \\") + escape;
				return false;
		}
	}
	error = "unterminated string";
	return false;
}

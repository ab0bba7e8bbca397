// Splits a resource definition into tokens: words, numbers, four-character codes, strings
// and punctuation. Comments run from '#' to the end of the line.
#ifndef _DEFINITION_LEXER_H
#define _DEFINITION_LEXER_H

#include <SupportDefs.h>

#include <string>

enum token_kind {
	TOKEN_END,
	TOKEN_WORD,
	TOKEN_NUMBER,
	TOKEN_CODE,		// 'abcd'
	TOKEN_STRING,	// "..." with escapes resolved
	TOKEN_SYMBOL,	// one of { } |
	TOKEN_ERROR
};

struct Token {
	token_kind		kind;
	std::string		text;	// the word, the string's bytes, the symbol, or the error
	int64			number;	// TOKEN_NUMBER and TOKEN_CODE
	int32			line;
};

class DefinitionLexer {
public:
								DefinitionLexer(const std::string& source);

			Token				Next();

private:
			void				_SkipSpace();
			Token				_Make(token_kind kind, const std::string& text,
									int64 number = 0) const;
			Token				_ReadNumber();
			Token				_ReadCode();
			Token				_ReadString();
			bool				_ReadOneString(std::string& out, std::string& error);

			std::string			fSource;
			size_t				fPosition;
			int32				fLine;
};

#endif // _DEFINITION_LEXER_H

// Reads a resource definition (docs/resource-definition.md) into the resources it defines,
// each with its data already encoded.
#ifndef _DEFINITION_PARSER_H
#define _DEFINITION_PARSER_H

#include "DefinitionLexer.h"

#include <SupportDefs.h>

#include <string>
#include <vector>

class BMessage;

struct CompiledResource {
	type_code			type;
	int32				id;
	std::string			name;
	std::vector<uint8>	data;
};

class DefinitionParser {
public:
								DefinitionParser(const std::string& source);

	// False with Error() set ("line N: ...") at the first mistake.
			bool				Parse(std::vector<CompiledResource>* resources);
			const std::string&	Error() const;

private:
			bool				_Fail(const std::string& message);
			void				_Advance();
			bool				_Expect(token_kind kind, const char* what);
			bool				_ExpectSymbol(char symbol);
			bool				_IsSymbol(char symbol) const;
			bool				_IsWord(const char* word) const;
			bool				_ReadInteger(int64 min, int64 max, int64* value);
			bool				_ReadString(std::string* value);

			bool				_ParseResource(CompiledResource* resource);
			bool				_ParseValue(std::vector<uint8>* data);
			bool				_ParseFlags(uint32* flags);
			bool				_ParseVersion(std::vector<uint8>* data);
			bool				_ParseMessage(BMessage* message);
			bool				_ParseBitmap(std::vector<uint8>* data);

			DefinitionLexer		fLexer;
			Token				fToken;
			std::string			fError;
};

#endif // _DEFINITION_PARSER_H

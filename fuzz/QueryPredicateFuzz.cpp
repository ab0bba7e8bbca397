// Reads text as an application hands it to BQuery::SetPredicate: parsed, and when it
// parses, evaluated against a made-up entry with attributes of several types.
#include "storage/QueryPredicate.h"

#include <TypeConstants.h>

#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include <string>

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	std::string text(reinterpret_cast<const char*>(data), size);
	text = text.c_str();

	BPrivate::QueryPredicate predicate;
	std::string error;
	status_t status = predicate.SetTo(text.c_str(), &error);
	if ((status == B_OK) != predicate.IsValid() || (status != B_OK && error.empty()))
		abort();
	if (status != B_OK)
		return 0;

	struct stat info = {};
	info.st_size = 1234;
	info.st_mtime = 1000000;
	info.st_mode = S_IFREG | 0644;
	int32 number = 7;
	double real = 2.5;
	BPrivate::QueryCandidate candidate;
	candidate.name = "Some File.txt";
	candidate.stat = &info;
	candidate.attributeReader = [&](const char* attribute, uint32* type,
			std::string* value) {
		switch (attribute[0] % 4) {
			case 0:
				*type = B_INT32_TYPE;
				value->assign((const char*)&number, sizeof(number));
				return true;
			case 1:
				*type = B_DOUBLE_TYPE;
				value->assign((const char*)&real, sizeof(real));
				return true;
			case 2:
				*type = B_STRING_TYPE;
				*value = "text/plain";
				return true;
		}
		return false;
	};
	predicate.Matches(candidate);
	return 0;
}

// A translator add-on for the tests of the add-on interface: it reads "ROT1" data (the
// magic, then text with every letter moved one place on) and writes the plain text.
#include <DataIO.h>
#include <Message.h>
#include <TranslatorAddOn.h>

#include <string.h>

namespace {

const uint32 kRotFormat = 'ROT1';
const char kMagic[] = "ROT1";

} // namespace

char translatorName[] = "ROT1 test translator";
char translatorInfo[] = "Turns ROT1 text into plain text.";
int32 translatorVersion = 120;

translation_format inputFormats[] = {
	{ kRotFormat, B_TRANSLATOR_TEXT, 0.9f, 0.9f, "text/x-rot1", "ROT1 text" },
	{ 0, 0, 0, 0, "", "" }
};

translation_format outputFormats[] = {
	{ B_TRANSLATOR_TEXT, B_TRANSLATOR_TEXT, 0.9f, 0.9f, "text/plain", "Plain text" },
	{ 0, 0, 0, 0, "", "" }
};


status_t
Identify(BPositionIO* inSource, const translation_format* inFormat, BMessage* ioExtension,
	translator_info* outInfo, uint32 outType)
{
	if (outType != 0 && outType != B_TRANSLATOR_TEXT)
		return B_NO_TRANSLATOR;
	char magic[4];
	if (inSource->Read(magic, 4) != 4 || memcmp(magic, kMagic, 4) != 0)
		return B_NO_TRANSLATOR;
	outInfo->type = kRotFormat;
	outInfo->group = B_TRANSLATOR_TEXT;
	outInfo->quality = outInfo->capability = 0.9f;
	strcpy(outInfo->name, "ROT1 text");
	strcpy(outInfo->MIME, "text/x-rot1");
	return B_OK;
}


status_t
Translate(BPositionIO* inSource, const translator_info* inInfo, BMessage* ioExtension,
	uint32 outType, BPositionIO* outDestination)
{
	char magic[4];
	if (inSource->Read(magic, 4) != 4 || memcmp(magic, kMagic, 4) != 0)
		return B_NO_TRANSLATOR;
	char c;
	while (inSource->Read(&c, 1) == 1) {
		if ((c > 'a' && c <= 'z') || (c > 'A' && c <= 'Z'))
			c--;
		outDestination->Write(&c, 1);
	}
	return B_OK;
}


status_t
GetConfigMessage(BMessage* ioExtension)
{
	return ioExtension->AddInt32("shift", 1);
}

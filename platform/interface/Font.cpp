// BFont: a family, a style and a size, measured through the text engine.
#include <Font.h>

#include "interface/FontList.h"
#include "interface/TextEngine.h"

#include <String.h>

#include <math.h>
#include <stdio.h>
#include <string.h>

using BPrivate::FontList;

namespace {

// The platform's system fonts are a Helvetica and a Courier: Liberation Sans and Mono have
// their widths, so text fits the frames that applications sized for them.
const char* const kPlainFamily = "Liberation Sans";
const char* const kFixedFamily = "Liberation Mono";
const char* const kRegularStyle = "Regular";
const char* const kBoldStyle = "Bold";
// The plain font's size, which a new BFont takes too; the bold and fixed fonts are larger.
const float kDefaultSize = 10.0f;
const float kBoldSize = 12.0f;
const float kFixedSize = 12.0f;
// The largest size a font takes; beyond it, and for sizes that are not numbers, the font
// engines fail in ways that cost memory (a picture or a peer may ask for any size).
const float kMaxSize = 10000.0f;


void
CopyName(char* destination, const char* name)
{
	snprintf(destination, B_FONT_FAMILY_LENGTH + 1, "%s", name);
}

} // namespace


// Sets the names of the system fonts without asking fontconfig, so that loading the kit
// costs nothing; the names are resolved when a font is first measured or drawn.
class BFont::Private {
public:
	static BFont Make(const char* family, const char* style, uint16 face, float size)
	{
		BFont font;
		CopyName(font.fFamily, family);
		CopyName(font.fStyle, style);
		font.fFace = face;
		font.fSize = size;
		return font;
	}
};


namespace {

const BFont stPlainFont = BFont::Private::Make(kPlainFamily, kRegularStyle,
	B_REGULAR_FACE, kDefaultSize);
const BFont stBoldFont = BFont::Private::Make(kPlainFamily, kBoldStyle, B_BOLD_FACE,
	kBoldSize);
const BFont stFixedFont = BFont::Private::Make(kFixedFamily, kRegularStyle,
	B_REGULAR_FACE, kFixedSize);

} // namespace

const BFont* be_plain_font = &stPlainFont;
const BFont* be_bold_font = &stBoldFont;
const BFont* be_fixed_font = &stFixedFont;


BFont::BFont()
	:
	fSize(kDefaultSize),
	fShear(90.0f),
	fRotation(0.0f),
	fSpacing(B_BITMAP_SPACING),
	fEncoding(B_UNICODE_UTF8),
	fFace(B_REGULAR_FACE),
	fFlags(0)
{
	CopyName(fFamily, kPlainFamily);
	CopyName(fStyle, kRegularStyle);
}


BFont::BFont(const BFont& font)
{
	*this = font;
}


BFont::BFont(const BFont* font)
	:
	BFont(font != NULL ? *font : *be_plain_font)
{
}


status_t
BFont::SetFamilyAndStyle(const font_family family, const font_style style)
{
	FontList& list = FontList::Default();
	const char* familyName = family != NULL ? family : fFamily;
	if (list.CountStyles(familyName) == 0)
		return B_NAME_NOT_FOUND;

	font_style styleName;
	if (style != NULL) {
		if (!list.Has(familyName, style))
			return B_NAME_NOT_FOUND;
		CopyName(styleName, style);
	} else if (!list.StyleForFace(familyName, B_REGULAR_FACE, &styleName))
		return B_NAME_NOT_FOUND;

	CopyName(fFamily, familyName);
	CopyName(fStyle, styleName);
	fFace = list.FaceOf(fFamily, fStyle);
	return B_OK;
}


status_t
BFont::SetFamilyAndFace(const font_family family, uint16 face)
{
	FontList& list = FontList::Default();
	const char* familyName = family != NULL ? family : fFamily;
	font_style style;
	if (!list.StyleForFace(familyName, face, &style))
		return B_NAME_NOT_FOUND;
	CopyName(fFamily, familyName);
	CopyName(fStyle, style);
	fFace = face;
	return B_OK;
}


void
BFont::SetSize(float size)
{
	fSize = size > 0 ? fminf(size, kMaxSize) : 0;
}


void
BFont::SetShear(float shear)
{
	fShear = fmaxf(45.0f, fminf(135.0f, shear));
}


void
BFont::SetRotation(float rotation)
{
	fRotation = rotation;
}


void
BFont::SetSpacing(uint8 spacing)
{
	fSpacing = spacing;
}


void
BFont::SetEncoding(uint8 encoding)
{
	fEncoding = encoding;
}


void
BFont::SetFace(uint16 face)
{
	SetFamilyAndFace(NULL, face);
}


void
BFont::SetFlags(uint32 flags)
{
	fFlags = flags;
}


void
BFont::GetFamilyAndStyle(font_family* family, font_style* style) const
{
	if (family != NULL)
		CopyName(*family, fFamily);
	if (style != NULL)
		CopyName(*style, fStyle);
}


bool
BFont::IsFixed() const
{
	return FontList::Default().IsFixed(fFamily);
}


void
BFont::GetHeight(font_height* height) const
{
	if (height != NULL)
		BPrivate::GetTextHeight(*this, height);
}


float
BFont::StringWidth(const char* string) const
{
	return string != NULL ? StringWidth(string, (int32)strlen(string)) : 0;
}


float
BFont::StringWidth(const char* string, int32 length) const
{
	return BPrivate::TextWidth(*this, string, length);
}


void
BFont::GetStringWidths(const char* stringArray[], const int32 lengthArray[],
	int32 numStrings, float widthArray[]) const
{
	for (int32 i = 0; i < numStrings; i++)
		widthArray[i] = StringWidth(stringArray[i], lengthArray[i]);
}


void
BFont::TruncateString(BString* inOut, uint32 mode, float width) const
{
	if (inOut == NULL)
		return;
	std::string result = BPrivate::TruncateText(*this, inOut->String(), mode, width);
	inOut->SetTo(result.c_str());
}


void
BFont::GetTruncatedStrings(const char* stringArray[], int32 numStrings, uint32 mode,
	float width, char* resultArray[]) const
{
	for (int32 i = 0; i < numStrings; i++) {
		std::string result = BPrivate::TruncateText(*this, stringArray[i], mode, width);
		// A cut keeps part of the input and adds a 3-byte ellipsis, so it fits in the
		// caller's strlen + 3 bytes.
		strcpy(resultArray[i], result.c_str());
	}
}


BFont&
BFont::operator=(const BFont& font)
{
	memcpy(fFamily, font.fFamily, sizeof(fFamily));
	memcpy(fStyle, font.fStyle, sizeof(fStyle));
	fSize = font.fSize;
	fShear = font.fShear;
	fRotation = font.fRotation;
	fSpacing = font.fSpacing;
	fEncoding = font.fEncoding;
	fFace = font.fFace;
	fFlags = font.fFlags;
	return *this;
}


bool
BFont::operator==(const BFont& font) const
{
	return strcmp(fFamily, font.fFamily) == 0 && strcmp(fStyle, font.fStyle) == 0
		&& fSize == font.fSize && fShear == font.fShear && fRotation == font.fRotation
		&& fSpacing == font.fSpacing && fEncoding == font.fEncoding && fFace == font.fFace
		&& fFlags == font.fFlags;
}


bool
BFont::operator!=(const BFont& font) const
{
	return !(*this == font);
}


void
BFont::PrintToStream() const
{
	printf("BFont { %s (%s), size %.1f, shear %.1f, rotation %.1f, face 0x%x }\n",
		fFamily, fStyle, fSize, fShear, fRotation, (unsigned)fFace);
}

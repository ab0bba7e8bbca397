// Fonts: a family and style with a size and rendering attributes, their metrics, and the
// list of installed families.
#ifndef _FONT_H
#define _FONT_H

#include <InterfaceDefs.h>
#include <SupportDefs.h>

class BString;

#define B_FONT_FAMILY_LENGTH	63
#define B_FONT_STYLE_LENGTH		63

typedef char font_family[B_FONT_FAMILY_LENGTH + 1];
typedef char font_style[B_FONT_STYLE_LENGTH + 1];

enum {
	B_CHAR_SPACING		= 0,
	B_STRING_SPACING	= 1,
	B_BITMAP_SPACING	= 2,
	B_FIXED_SPACING		= 3
};

enum font_direction {
	B_FONT_LEFT_TO_RIGHT = 0,
	B_FONT_RIGHT_TO_LEFT = 1
};

enum {
	B_DISABLE_ANTIALIASING	= 0x00000001,
	B_FORCE_ANTIALIASING	= 0x00000002
};

// Modes of TruncateString().
enum {
	B_TRUNCATE_END			= 0,
	B_TRUNCATE_BEGINNING	= 1,
	B_TRUNCATE_MIDDLE		= 2,
	B_TRUNCATE_SMART		= 3
};

enum {
	B_UNICODE_UTF8		= 0,
	B_ISO_8859_1		= 1
};

// Which attributes SetFont() copies.
enum {
	B_FONT_FAMILY_AND_STYLE	= 0x00000001,
	B_FONT_SIZE				= 0x00000002,
	B_FONT_SHEAR			= 0x00000004,
	B_FONT_ROTATION			= 0x00000008,
	B_FONT_SPACING			= 0x00000010,
	B_FONT_ENCODING			= 0x00000020,
	B_FONT_FACE				= 0x00000040,
	B_FONT_FLAGS			= 0x00000080,
	B_FONT_ALL				= 0x000000FF
};

enum {
	B_ITALIC_FACE		= 0x0001,
	B_UNDERSCORE_FACE	= 0x0002,
	B_NEGATIVE_FACE		= 0x0004,
	B_OUTLINED_FACE		= 0x0008,
	B_STRIKEOUT_FACE	= 0x0010,
	B_BOLD_FACE			= 0x0020,
	B_REGULAR_FACE		= 0x0040
};

// Flags that get_font_family() and get_font_style() report.
enum {
	B_IS_FIXED			= 0x0001,
	B_HAS_TUNED_FONT	= 0x0002
};

struct font_height {
	float ascent;
	float descent;
	float leading;
};

// A font is a value: copying it is cheap and it holds no resources. Its metrics come from
// the installed fonts through fontconfig and pango; sizes are in pixels (72 dpi points).
class BFont {
public:
							BFont();
							BFont(const BFont& font);
							BFont(const BFont* font);

			status_t		SetFamilyAndStyle(const font_family family,
								const font_style style);
			status_t		SetFamilyAndFace(const font_family family, uint16 face);

			void			SetSize(float size);
			void			SetShear(float shear);
			void			SetRotation(float rotation);
			void			SetSpacing(uint8 spacing);
			void			SetEncoding(uint8 encoding);
			void			SetFace(uint16 face);
			void			SetFlags(uint32 flags);

			void			GetFamilyAndStyle(font_family* family, font_style* style) const;
			float			Size() const { return fSize; }
			float			Shear() const { return fShear; }
			float			Rotation() const { return fRotation; }
			uint8			Spacing() const { return fSpacing; }
			uint8			Encoding() const { return fEncoding; }
			uint16			Face() const { return fFace; }
			uint32			Flags() const { return fFlags; }
			font_direction	Direction() const { return B_FONT_LEFT_TO_RIGHT; }
			bool			IsFixed() const;

			void			GetHeight(font_height* height) const;

			float			StringWidth(const char* string) const;
			float			StringWidth(const char* string, int32 length) const;
			void			GetStringWidths(const char* stringArray[],
								const int32 lengthArray[], int32 numStrings,
								float widthArray[]) const;

			// Shortens the string in place so that it fits in width, marking the cut
			// with an ellipsis.
			void			TruncateString(BString* inOut, uint32 mode, float width) const;
			// Each result receives at most strlen(input) + 3 bytes and a terminator.
			void			GetTruncatedStrings(const char* stringArray[], int32 numStrings,
								uint32 mode, float width, char* resultArray[]) const;

			BFont&			operator=(const BFont& font);
			bool			operator==(const BFont& font) const;
			bool			operator!=(const BFont& font) const;

			void			PrintToStream() const;

			class Private;

private:
			friend class Private;

			font_family		fFamily;
			font_style		fStyle;
			float			fSize;
			float			fShear;
			float			fRotation;
			uint8			fSpacing;
			uint8			fEncoding;
			uint16			fFace;
			uint32			fFlags;
};

extern const BFont* be_plain_font;
extern const BFont* be_bold_font;
extern const BFont* be_fixed_font;

// The installed families and their styles, as fontconfig lists them, sorted by name.
int32 count_font_families();
status_t get_font_family(int32 index, font_family* name, uint32* flags = NULL);
int32 count_font_styles(const font_family name);
status_t get_font_style(const font_family family, int32 index, font_style* name,
	uint32* flags = NULL);
status_t get_font_style(const font_family family, int32 index, font_style* name,
	uint16* face, uint32* flags = NULL);
// Scans the installed fonts again; returns whether the list changed.
bool update_font_families(bool checkOnly);

#endif // _FONT_H

// Fonts: a family and style with a size and rendering attributes, their metrics, and the
// list of installed families.
#ifndef _FONT_H
#define _FONT_H

#include <InterfaceDefs.h>
#include <Rect.h>
#include <SupportDefs.h>

class BShape;
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

// Encodings of SetEncoding(): how the bytes of the strings the font measures and draws
// are read. The kit's fonts read every string as UTF-8; see docs/fonts.md.
enum {
	B_UNICODE_UTF8		= 0,
	B_ISO_8859_1		= 1,
	B_ISO_8859_2		= 2,
	B_ISO_8859_3		= 3,
	B_ISO_8859_4		= 4,
	B_ISO_8859_5		= 5,
	B_ISO_8859_6		= 6,
	B_ISO_8859_7		= 7,
	B_ISO_8859_8		= 8,
	B_ISO_8859_9		= 9,
	B_ISO_8859_10		= 10,
	B_MACINTOSH_ROMAN	= 11
};

enum font_metric_mode {
	B_SCREEN_METRIC		= 0,
	B_PRINTING_METRIC	= 1
};

enum font_file_format {
	B_TRUETYPE_WINDOWS			= 0,
	B_POSTSCRIPT_TYPE1_WINDOWS	= 1
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

// Extra advance, in pixels, for each space and each other character of a string.
struct escapement_delta {
	float nonspace;
	float space;
};

// How far a glyph's ink reaches past its origin on the left and short of its advance on
// the right, in ems.
struct edge_info {
	float left;
	float right;
};

struct font_cache_info {
	int32 sheared_font_penalty;
	int32 rotated_font_penalty;
	float oversize_threshold;
	int32 oversize_penalty;
	int32 cache_size;
	float spacing_size_threshold;
};

// A size, shear, rotation and face that a font has hand-tuned bitmaps for.
struct tuned_font_info {
	float size;
	float shear;
	float rotation;
	uint32 flags;
	uint16 face;
};

// A set of Unicode blocks, as 128 bits.
class unicode_block {
public:
	inline					unicode_block();
	inline					unicode_block(uint64 block2, uint64 block1);

	inline	bool			Includes(const unicode_block& block) const;
	inline	unicode_block	operator&(const unicode_block& block) const;
	inline	unicode_block	operator|(const unicode_block& block) const;
	inline	unicode_block&	operator=(const unicode_block& block);
	inline	bool			operator==(const unicode_block& block) const;
	inline	bool			operator!=(const unicode_block& block) const;

private:
			uint64			fData[2];
};

inline unicode_block::unicode_block() { fData[0] = fData[1] = 0; }
inline unicode_block::unicode_block(uint64 block2, uint64 block1)
	{ fData[0] = block1; fData[1] = block2; }
inline bool unicode_block::Includes(const unicode_block& block) const
	{ return (fData[0] & block.fData[0]) == block.fData[0]
		&& (fData[1] & block.fData[1]) == block.fData[1]; }
inline unicode_block unicode_block::operator&(const unicode_block& block) const
	{ return unicode_block(fData[1] & block.fData[1], fData[0] & block.fData[0]); }
inline unicode_block unicode_block::operator|(const unicode_block& block) const
	{ return unicode_block(fData[1] | block.fData[1], fData[0] | block.fData[0]); }
inline unicode_block& unicode_block::operator=(const unicode_block& block)
	{ fData[0] = block.fData[0]; fData[1] = block.fData[1]; return *this; }
inline bool unicode_block::operator==(const unicode_block& block) const
	{ return fData[0] == block.fData[0] && fData[1] == block.fData[1]; }
inline bool unicode_block::operator!=(const unicode_block& block) const
	{ return !(*this == block); }

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
			// Fixed but for wide (CJK) characters, which take two cells.
			bool			IsFullAndHalfFixed() const;
			// The family and style as one number, unique among the installed fonts while
			// the list does not change: family index in the high 16 bits, style index in
			// the low.
			uint32			FamilyAndStyle() const;
			status_t		SetFamilyAndStyle(uint32 code);
			// The box that every glyph of the font fits in, relative to the origin of a
			// glyph on the baseline, in pixels at the font's size.
			BRect			BoundingBox() const;
			// The Unicode blocks the font has glyphs in.
			unicode_block	Blocks() const;
			font_file_format FileFormat() const;
			// The kit's fonts are outlines, never hand-tuned bitmaps: no tuned sizes.
			int32			CountTuned() const;
			void			GetTunedInfo(int32 index, tuned_font_info* info) const;

			void			GetHeight(font_height* height) const;

			float			StringWidth(const char* string) const;
			float			StringWidth(const char* string, int32 length) const;
			void			GetStringWidths(const char* stringArray[],
								const int32 lengthArray[], int32 numStrings,
								float widthArray[]) const;

			// Per character (a UTF-8 sequence counts as one; numChars counts
			// characters): the advance in ems, widened by delta (in pixels) when given.
			void			GetEscapements(const char charArray[], int32 numChars,
								float escapementArray[]) const;
			void			GetEscapements(const char charArray[], int32 numChars,
								escapement_delta* delta, float escapementArray[]) const;
			void			GetEscapements(const char charArray[], int32 numChars,
								escapement_delta* delta, BPoint escapementArray[]) const;
			void			GetEscapements(const char charArray[], int32 numChars,
								escapement_delta* delta, BPoint escapementArray[],
								BPoint offsetArray[]) const;
			void			GetEdges(const char charArray[], int32 numChars,
								edge_info edgeArray[]) const;
			// Ink boxes in pixels: of each glyph around its own origin, of each glyph
			// where the string places it, or of whole strings.
			void			GetBoundingBoxesAsGlyphs(const char charArray[],
								int32 numChars, font_metric_mode mode,
								BRect boundingBoxArray[]) const;
			void			GetBoundingBoxesAsString(const char charArray[],
								int32 numChars, font_metric_mode mode,
								escapement_delta* delta, BRect boundingBoxArray[]) const;
			void			GetBoundingBoxesForStrings(const char* stringArray[],
								int32 numStrings, font_metric_mode mode,
								escapement_delta deltas[], BRect boundingBoxArray[]) const;
			// Outlines in pixels around each glyph's origin; the caller deletes them.
			void			GetGlyphShapes(const char charArray[], int32 numChars,
								BShape* glyphShapeArray[]) const;
			void			GetHasGlyphs(const char charArray[], int32 numChars,
								bool hasArray[]) const;

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

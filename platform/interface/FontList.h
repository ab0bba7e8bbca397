// The installed font families and styles, read from fontconfig, and the pango
// descriptions that render them.
#ifndef _FONT_LIST_H
#define _FONT_LIST_H

#include <Font.h>

#include <mutex>
#include <string>
#include <vector>

typedef struct _PangoFontDescription PangoFontDescription;

namespace BPrivate {

// Thread-safe: every call takes the list's lock. The list is read on first use.
class FontList {
public:
	static	FontList&			Default();

			int32				CountFamilies();
			status_t			GetFamily(int32 index, font_family* name, uint32* flags);
			int32				CountStyles(const char* family);
			status_t			GetStyle(const char* family, int32 index, font_style* name,
									uint16* face, uint32* flags);

			// Whether the pair is installed.
			bool				Has(const char* family, const char* style);
			// The style of family that shows face best; false when the family is unknown.
			bool				StyleForFace(const char* family, uint16 face, font_style* style);
			uint16				FaceOf(const char* family, const char* style);
			bool				IsFixed(const char* family);

			// A new description of the pair (the caller frees it); an unknown pair gets
			// fontconfig's nearest match.
			PangoFontDescription* CreateDescription(const char* family, const char* style);

			bool				Update(bool checkOnly);

private:
			struct Style {
				std::string		name;
				uint16			face;
				int				weight;
				PangoFontDescription* description;
			};
			struct Family {
				std::string		name;
				uint32			flags;
				std::vector<Style> styles;
			};

								FontList() = default;
			void				ScanLocked();
			void				ClearLocked();
			const Family*		FindLocked(const char* family) const;
			const Style*		FindLocked(const char* family, const char* style) const;

			std::mutex			fLock;
			bool				fScanned = false;
			std::vector<Family>	fFamilies;
};

} // namespace BPrivate

#endif // _FONT_LIST_H

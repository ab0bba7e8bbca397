// The font list, read from fontconfig's installed fonts.
#include "interface/FontList.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangofc-fontmap.h>

#include <algorithm>
#include <stdio.h>
#include <string.h>

namespace BPrivate {

namespace {

// Styles that name the upright, normal-weight face of a family.
const char* const kRegularStyles[] = { "Regular", "Book", "Roman", "Normal", "Medium" };


void
CopyName(char* destination, const std::string& name)
{
	snprintf(destination, B_FONT_FAMILY_LENGTH + 1, "%s", name.c_str());
}

} // namespace


FontList&
FontList::Default()
{
	static FontList stList;
	return stList;
}


int32
FontList::CountFamilies()
{
	std::lock_guard<std::mutex> locker(fLock);
	ScanLocked();
	return (int32)fFamilies.size();
}


status_t
FontList::GetFamily(int32 index, font_family* name, uint32* flags)
{
	if (name == NULL)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> locker(fLock);
	ScanLocked();
	if (index < 0 || index >= (int32)fFamilies.size())
		return B_BAD_VALUE;
	CopyName(*name, fFamilies[index].name);
	if (flags != NULL)
		*flags = fFamilies[index].flags;
	return B_OK;
}


int32
FontList::CountStyles(const char* family)
{
	std::lock_guard<std::mutex> locker(fLock);
	ScanLocked();
	const Family* entry = FindLocked(family);
	return entry != NULL ? (int32)entry->styles.size() : 0;
}


status_t
FontList::GetStyle(const char* family, int32 index, font_style* name, uint16* face,
	uint32* flags)
{
	if (name == NULL)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> locker(fLock);
	ScanLocked();
	const Family* entry = FindLocked(family);
	if (entry == NULL)
		return B_NAME_NOT_FOUND;
	if (index < 0 || index >= (int32)entry->styles.size())
		return B_BAD_VALUE;
	CopyName(*name, entry->styles[index].name);
	if (face != NULL)
		*face = entry->styles[index].face;
	if (flags != NULL)
		*flags = entry->flags;
	return B_OK;
}


bool
FontList::Has(const char* family, const char* style)
{
	std::lock_guard<std::mutex> locker(fLock);
	ScanLocked();
	return FindLocked(family, style) != NULL;
}


bool
FontList::StyleForFace(const char* family, uint16 face, font_style* style)
{
	std::lock_guard<std::mutex> locker(fLock);
	ScanLocked();
	const Family* entry = FindLocked(family);
	if (entry == NULL || entry->styles.empty())
		return false;

	// Prefer an exact face; among the regular faces, a conventionally named one.
	const Style* best = NULL;
	for (const Style& candidate : entry->styles) {
		if (candidate.face != face)
			continue;
		if (best == NULL)
			best = &candidate;
		for (const char* regular : kRegularStyles) {
			if (candidate.name == regular && best->name != regular)
				best = &candidate;
		}
	}
	if (best == NULL)
		best = &entry->styles.front();
	CopyName(*style, best->name);
	return true;
}


uint16
FontList::FaceOf(const char* family, const char* style)
{
	std::lock_guard<std::mutex> locker(fLock);
	ScanLocked();
	const Style* entry = FindLocked(family, style);
	return entry != NULL ? entry->face : (uint16)B_REGULAR_FACE;
}


bool
FontList::IsFixed(const char* family)
{
	std::lock_guard<std::mutex> locker(fLock);
	ScanLocked();
	const Family* entry = FindLocked(family);
	return entry != NULL && (entry->flags & B_IS_FIXED) != 0;
}


PangoFontDescription*
FontList::CreateDescription(const char* family, const char* style)
{
	std::lock_guard<std::mutex> locker(fLock);
	ScanLocked();
	const Style* entry = FindLocked(family, style);
	if (entry != NULL)
		return pango_font_description_copy(entry->description);

	PangoFontDescription* description = pango_font_description_new();
	pango_font_description_set_family(description, family);
	return description;
}


bool
FontList::Update(bool checkOnly)
{
	std::lock_guard<std::mutex> locker(fLock);
	bool changed = FcConfigUptoDate(NULL) == FcFalse;
	if (!changed || checkOnly)
		return changed;

	FcInitReinitialize();
	ClearLocked();
	ScanLocked();
	return true;
}


void
FontList::ScanLocked()
{
	if (fScanned)
		return;
	fScanned = true;

	FcPattern* pattern = FcPatternCreate();
	FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_STYLE, FC_WEIGHT, FC_SLANT,
		FC_WIDTH, FC_SPACING, (char*)NULL);
	FcFontSet* set = FcFontList(NULL, pattern, objects);
	FcObjectSetDestroy(objects);
	FcPatternDestroy(pattern);
	if (set == NULL)
		return;

	for (int i = 0; i < set->nfont; i++) {
		FcPattern* font = set->fonts[i];
		FcChar8* familyName = NULL;
		FcChar8* styleName = NULL;
		if (FcPatternGetString(font, FC_FAMILY, 0, &familyName) != FcResultMatch
			|| FcPatternGetString(font, FC_STYLE, 0, &styleName) != FcResultMatch) {
			continue;
		}
		// Names that do not fit the platform's buffers could not be asked for again.
		if (strlen((const char*)familyName) > B_FONT_FAMILY_LENGTH
			|| strlen((const char*)styleName) > B_FONT_STYLE_LENGTH) {
			continue;
		}
		if (FindLocked((const char*)familyName, (const char*)styleName) != NULL)
			continue;

		int weight = FC_WEIGHT_REGULAR;
		int slant = FC_SLANT_ROMAN;
		int spacing = FC_PROPORTIONAL;
		FcPatternGetInteger(font, FC_WEIGHT, 0, &weight);
		FcPatternGetInteger(font, FC_SLANT, 0, &slant);
		FcPatternGetInteger(font, FC_SPACING, 0, &spacing);

		uint16 face = 0;
		if (weight >= FC_WEIGHT_DEMIBOLD)
			face |= B_BOLD_FACE;
		if (slant != FC_SLANT_ROMAN)
			face |= B_ITALIC_FACE;
		if (face == 0)
			face = B_REGULAR_FACE;

		Family* family = const_cast<Family*>(FindLocked((const char*)familyName));
		if (family == NULL) {
			fFamilies.push_back(Family{ (const char*)familyName, 0, {} });
			family = &fFamilies.back();
		}
		if (spacing == FC_MONO)
			family->flags |= B_IS_FIXED;
		// The description names the family itself, so pango never substitutes another.
		PangoFontDescription* description = pango_fc_font_description_from_pattern(font,
			FALSE);
		pango_font_description_set_family(description, (const char*)familyName);
		family->styles.push_back(Style{ (const char*)styleName, face, weight,
			description });
	}
	FcFontSetDestroy(set);

	std::sort(fFamilies.begin(), fFamilies.end(),
		[](const Family& a, const Family& b) { return a.name < b.name; });
	for (Family& family : fFamilies) {
		std::sort(family.styles.begin(), family.styles.end(),
			[](const Style& a, const Style& b) {
				return a.weight != b.weight ? a.weight < b.weight : a.name < b.name;
			});
	}
}


void
FontList::ClearLocked()
{
	for (Family& family : fFamilies) {
		for (Style& style : family.styles)
			pango_font_description_free(style.description);
	}
	fFamilies.clear();
	fScanned = false;
}


const FontList::Family*
FontList::FindLocked(const char* family) const
{
	if (family == NULL)
		return NULL;
	for (const Family& entry : fFamilies) {
		if (entry.name == family)
			return &entry;
	}
	return NULL;
}


const FontList::Style*
FontList::FindLocked(const char* family, const char* style) const
{
	const Family* entry = FindLocked(family);
	if (entry == NULL || style == NULL)
		return NULL;
	for (const Style& candidate : entry->styles) {
		if (candidate.name == style)
			return &candidate;
	}
	return NULL;
}

} // namespace BPrivate


int32
count_font_families()
{
	return BPrivate::FontList::Default().CountFamilies();
}


status_t
get_font_family(int32 index, font_family* name, uint32* flags)
{
	return BPrivate::FontList::Default().GetFamily(index, name, flags);
}


int32
count_font_styles(const font_family name)
{
	return BPrivate::FontList::Default().CountStyles(name);
}


status_t
get_font_style(const font_family family, int32 index, font_style* name, uint32* flags)
{
	return BPrivate::FontList::Default().GetStyle(family, index, name, NULL, flags);
}


status_t
get_font_style(const font_family family, int32 index, font_style* name, uint16* face,
	uint32* flags)
{
	return BPrivate::FontList::Default().GetStyle(family, index, name, face, flags);
}


bool
update_font_families(bool checkOnly)
{
	return BPrivate::FontList::Default().Update(checkOnly);
}

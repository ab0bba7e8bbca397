// The types the Translation Kit describes formats and translators with.
#ifndef _TRANSLATION_DEFS_H
#define _TRANSLATION_DEFS_H

#include <SupportDefs.h>
#include <TranslationErrors.h>

// A roster's number for one of its translators, unique within that roster.
typedef uint32 translator_id;

// The version of the kit an application was built with, and the oldest one a translator
// add-on may have been built with (BTranslatorRoster::Version).
#define B_TRANSLATION_CURRENT_VERSION	500
#define B_TRANSLATION_MIN_VERSION		161

// One format a translator reads or writes. type is the format's code (B_PNG_FORMAT ...),
// group the kind of data (B_TRANSLATOR_BITMAP ...); quality says how well the format keeps
// the group's data and capability how well the translator handles the format, both from
// 0 to 1. A list of formats ends at an entry whose type is 0.
struct translation_format {
	uint32		type;
	uint32		group;
	float		quality;
	float		capability;
	char		MIME[251];
	char		name[251];
};

// What a translator says of data it identified: the format (type, group, quality,
// capability, name, MIME) and, filled in by the roster, which translator said it.
struct translator_info {
	uint32			type;
	translator_id	translator;
	uint32			group;
	float			quality;
	float			capability;
	char			name[251];
	char			MIME[251];
};

#endif // _TRANSLATION_DEFS_H

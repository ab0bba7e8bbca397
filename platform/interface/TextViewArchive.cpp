// BTextView's archive: the text with its runs, the selection and every setting. The text
// and the runs are checked as any text and run array from outside are.
#include <TextView.h>

#include "interface/ArchiveFields.h"
#include "interface/PixelFormat.h"
#include "interface/RunArrayFormat.h"

#include <Message.h>

#include <algorithm>
#include <stdlib.h>

namespace {

// Refused characters an archive may list; more are ignored.
const int32 kMaxArchivedDisallowedChars = 4096;

} // namespace


BTextView::BTextView(BMessage* archive)
	:
	BView(archive)
{
	using BPrivate::find_archived_float;
	BRect textRect = Bounds();
	BPrivate::find_archived_rect(archive, "_trect", &textRect);
	BFont font;
	GetFont(&font);
	rgb_color color = HighColor();
	rgb_color viewColor = ViewColor();
	rgb_color lowColor = LowColor();
	_Init(textRect, &font, &color);
	if (archive == NULL)
		return;
	// The archived view's colours win over a new text view's.
	SetViewColor(viewColor);
	SetLowColor(lowColor);

	bool flag;
	if (archive->FindBool("_stylable", &flag) == B_OK)
		SetStylable(flag);
	const char* text = NULL;
	if (archive->FindString("_text", &text) == B_OK) {
		const void* data = NULL;
		ssize_t size = 0;
		text_run_array* runs = NULL;
		if (archive->FindData("_runs", B_RAW_TYPE, &data, &size) == B_OK)
			runs = BPrivate::unflatten_run_array(data, (size_t)size);
		SetText(text, runs);
		free(runs);
	}
	int32 value;
	if (BPrivate::find_archived_int32(archive, "_align", B_ALIGN_LEFT, B_ALIGN_CENTER,
			&value)) {
		SetAlignment((alignment)value);
	}
	float tabWidth;
	if (find_archived_float(archive, "_tab", 0, BPrivate::kMaxArchivedCoordinate,
			&tabWidth)) {
		SetTabWidth(tabWidth);
	}
	if (archive->FindInt32("_col_sp", &value) == B_OK
			&& BPrivate::ColorSpaceFrom(value) != B_NO_COLOR_SPACE) {
		SetColorSpace(BPrivate::ColorSpaceFrom(value));
	}
	if (BPrivate::find_archived_int32(archive, "_max", 0, INT32_MAX, &value))
		SetMaxBytes(value);
	int32 start;
	int32 end;
	if (archive->FindInt32("_sel", 0, &start) == B_OK
			&& archive->FindInt32("_sel", 1, &end) == B_OK) {
		Select(std::clamp(start, (int32)0, TextLength()),
			std::clamp(end, (int32)0, TextLength()));
	}
	if (archive->FindBool("_auto_in", &flag) == B_OK)
		SetAutoindent(flag);
	if (archive->FindBool("_wrap", &flag) == B_OK)
		SetWordWrap(flag);
	if (archive->FindBool("_nedit", &flag) == B_OK)
		MakeEditable(!flag);
	if (archive->FindBool("_nsel", &flag) == B_OK)
		MakeSelectable(!flag);
	if (archive->FindBool("_undo", &flag) == B_OK)
		SetDoesUndo(flag);
	for (int32 i = 0; i < kMaxArchivedDisallowedChars
			&& archive->FindInt32("_dis_ch", i, &value) == B_OK; i++) {
		DisallowChar((uint32)value);
	}
}


BArchivable*
BTextView::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BTextView"))
		return NULL;
	return new BTextView(archive);
}


status_t
BTextView::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddRect("_trect", fTextRect);
	if (status == B_OK)
		status = archive->AddString("_text", fText.c_str());
	if (status == B_OK && fStylable) {
		int32 size = 0;
		text_run_array* runs = RunArray(0, TextLength(), NULL);
		void* flattened = runs != NULL ? FlattenRunArray(runs, &size) : NULL;
		if (flattened != NULL)
			status = archive->AddData("_runs", B_RAW_TYPE, flattened, size);
		free(flattened);
		free(runs);
	}
	if (status == B_OK)
		status = archive->AddInt32("_align", (int32)fAlignment);
	if (status == B_OK)
		status = archive->AddFloat("_tab", fTabWidth);
	if (status == B_OK)
		status = archive->AddInt32("_col_sp", (int32)fColorSpace);
	if (status == B_OK)
		status = archive->AddInt32("_max", fMaxBytes);
	if (status == B_OK)
		status = archive->AddInt32("_sel", fSelectionStart);
	if (status == B_OK)
		status = archive->AddInt32("_sel", fSelectionEnd);
	if (status == B_OK)
		status = archive->AddBool("_stylable", fStylable);
	if (status == B_OK)
		status = archive->AddBool("_auto_in", fAutoindent);
	if (status == B_OK)
		status = archive->AddBool("_wrap", fWordWrap);
	if (status == B_OK && !fEditable)
		status = archive->AddBool("_nedit", true);
	if (status == B_OK && !fSelectable)
		status = archive->AddBool("_nsel", true);
	if (status == B_OK)
		status = archive->AddBool("_undo", fDoesUndo);
	for (auto it = fDisallowed.begin(); status == B_OK && it != fDisallowed.end(); it++)
		status = archive->AddInt32("_dis_ch", (int32)*it);
	return status;
}

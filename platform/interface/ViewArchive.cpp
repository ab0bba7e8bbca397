// BView's archive: geometry, flags, the drawing state, the event mask, the hidden state and
// the child views. Every number read back is checked (docs/archives.md).
#include <View.h>

#include "interface/ArchiveFields.h"
#include "interface/DrawState.h"

#include <Message.h>

#include <string.h>

using BPrivate::DrawState;
using BPrivate::find_archived_color;
using BPrivate::find_archived_float;
using BPrivate::find_archived_point;
using BPrivate::kMaxArchivedCoordinate;

namespace {

// The size of the largest font an archive may ask for.
const float kMaxArchivedFontSize = 10000.0f;

// How deep the archiving of views on this thread is: the outermost call finishes the tree.
thread_local int32 stArchiveDepth = 0;


// An int16 field within [low, high].
bool
find_int16_in(const BMessage* archive, const char* name, int32 index, int16 low, int16 high,
	int16* value)
{
	int16 found;
	if (archive->FindInt16(name, index, &found) != B_OK || found < low || found > high)
		return false;
	*value = found;
	return true;
}


// The drawing state an archive gives; what is missing or wrong keeps the default.
void
unarchive_state(const BMessage* archive, DrawState& state)
{
	const char* family = NULL;
	const char* style = NULL;
	if (archive->FindString("_fname", 0, &family) == B_OK
			&& archive->FindString("_fname", 1, &style) == B_OK
			&& strlen(family) <= B_FONT_FAMILY_LENGTH
			&& strlen(style) <= B_FONT_STYLE_LENGTH) {
		state.font.SetFamilyAndStyle(family, style);
	}
	float value;
	if (find_archived_float(archive, "_fflt", 0, 0, kMaxArchivedFontSize, &value))
		state.font.SetSize(value);
	if (find_archived_float(archive, "_fflt", 1, 45, 135, &value))
		state.font.SetShear(value);
	if (find_archived_float(archive, "_fflt", 2, -360, 360, &value))
		state.font.SetRotation(value);

	find_archived_color(archive, "_colors", 0, &state.highColor);
	find_archived_color(archive, "_colors", 1, &state.lowColor);
	find_archived_float(archive, "_psize", 0, BPrivate::kMaxArchivedPenSize,
		&state.penSize);
	find_archived_point(archive, "_ppos", &state.penLocation);
	find_archived_point(archive, "_origin", &state.origin);

	int16 mode;
	if (find_int16_in(archive, "_dmod", 0, B_OP_COPY, B_OP_ALPHA, &mode))
		state.drawingMode = (drawing_mode)mode;
	if (find_int16_in(archive, "_blend", 0, B_PIXEL_ALPHA, B_CONSTANT_ALPHA, &mode))
		state.alphaSource = (source_alpha)mode;
	if (find_int16_in(archive, "_blend", 1, B_ALPHA_OVERLAY, B_ALPHA_COMPOSITE, &mode))
		state.alphaFunction = (alpha_function)mode;
	if (find_int16_in(archive, "_lmcapjoin", 0, B_ROUND_JOIN, B_SQUARE_JOIN, &mode)
			&& (mode == B_ROUND_CAP || mode == B_BUTT_CAP || mode == B_SQUARE_CAP)) {
		state.lineCap = (cap_mode)mode;
	}
	if (find_int16_in(archive, "_lmcapjoin", 1, B_ROUND_JOIN, B_SQUARE_JOIN, &mode))
		state.lineJoin = (join_mode)mode;
	find_archived_float(archive, "_lmmiter", 0, kMaxArchivedCoordinate, &state.miterLimit);
}

} // namespace


BView::BView(BMessage* archive)
	:
	BHandler(archive),
	fOwner(NULL),
	fParent(NULL),
	fFrame(0, 0, 0, 0),
	fResizingMode(0),
	fFlags(0),
	fHideLevel(0),
	fViewColor(make_color(255, 255, 255)),
	fEventMask(0),
	fEventOptions(0),
	fStates(new BPrivate::DrawStateStack),
	fPicture(NULL),
	fViewBitmap(NULL),
	fPrinting(0),
	fScrollBars{ NULL, NULL },
	fCursor(NULL),
	fShelf(NULL)
{
	if (archive == NULL) {
		fBounds = fFrame;
		return;
	}
	BPrivate::find_archived_rect(archive, "_frame", &fFrame);
	fBounds = BRect(0, 0, fFrame.Width(), fFrame.Height());
	int32 value;
	if (archive->FindInt32("_resize_mode", &value) == B_OK)
		fResizingMode = (uint32)value & _RESIZE_MASK_;
	if (archive->FindInt32("_flags", &value) == B_OK)
		fFlags = (uint32)value & ~_RESIZE_MASK_;
	if (archive->FindInt32("_evmask", &value) == B_OK)
		fEventMask = (uint32)value & (B_POINTER_EVENTS | B_KEYBOARD_EVENTS);
	bool hidden = false;
	if (archive->FindBool("_hidden", &hidden) == B_OK && hidden)
		fHideLevel = 1;

	// The kit's own "_color" wins over the platform's third "_colors".
	const void* color = NULL;
	ssize_t size = 0;
	if (archive->FindData("_color", B_RGB_COLOR_TYPE, &color, &size) == B_OK
			&& size == sizeof(rgb_color)) {
		memcpy(&fViewColor, color, sizeof(rgb_color));
	} else
		find_archived_color(archive, "_colors", 2, &fViewColor);
	unarchive_state(archive, fStates->Current());

	// A deep archive's children come back with it.
	BPrivate::add_archived_views(archive, this);
}


BArchivable*
BView::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BView"))
		return NULL;
	return new BView(archive);
}


status_t
BView::Archive(BMessage* archive, bool deep) const
{
	stArchiveDepth++;
	status_t status = BHandler::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddRect("_frame", Frame());
	if (status == B_OK)
		status = archive->AddInt32("_resize_mode", (int32)fResizingMode);
	if (status == B_OK)
		status = archive->AddInt32("_flags", (int32)fFlags);
	if (status == B_OK && fEventMask != 0)
		status = archive->AddInt32("_evmask", (int32)fEventMask);
	if (status == B_OK && fHideLevel > 0)
		status = archive->AddBool("_hidden", true);
	if (status == B_OK) {
		status = archive->AddData("_color", B_RGB_COLOR_TYPE, &fViewColor,
			sizeof(rgb_color));
	}

	const DrawState& state = fStates->Current();
	font_family family;
	font_style style;
	state.font.GetFamilyAndStyle(&family, &style);
	if (status == B_OK)
		status = archive->AddString("_fname", family);
	if (status == B_OK)
		status = archive->AddString("_fname", style);
	if (status == B_OK)
		status = archive->AddFloat("_fflt", state.font.Size());
	if (status == B_OK)
		status = archive->AddFloat("_fflt", state.font.Shear());
	if (status == B_OK)
		status = archive->AddFloat("_fflt", state.font.Rotation());
	if (status == B_OK)
		status = BPrivate::add_archived_color(archive, "_colors", state.highColor);
	if (status == B_OK)
		status = BPrivate::add_archived_color(archive, "_colors", state.lowColor);
	if (status == B_OK)
		status = BPrivate::add_archived_color(archive, "_colors", fViewColor);
	if (status == B_OK)
		status = archive->AddFloat("_psize", state.penSize);
	if (status == B_OK)
		status = archive->AddPoint("_ppos", state.penLocation);
	if (status == B_OK)
		status = archive->AddPoint("_origin", state.origin);
	if (status == B_OK)
		status = archive->AddInt16("_dmod", (int16)state.drawingMode);
	if (status == B_OK)
		status = archive->AddInt16("_blend", (int16)state.alphaSource);
	if (status == B_OK)
		status = archive->AddInt16("_blend", (int16)state.alphaFunction);
	if (status == B_OK)
		status = archive->AddInt16("_lmcapjoin", (int16)state.lineCap);
	if (status == B_OK)
		status = archive->AddInt16("_lmcapjoin", (int16)state.lineJoin);
	if (status == B_OK)
		status = archive->AddFloat("_lmmiter", state.miterLimit);

	for (int32 i = 0; deep && status == B_OK && i < CountChildren(); i++) {
		BMessage child;
		status = ChildAt(i)->Archive(&child, deep);
		if (status == B_OK)
			status = archive->AddMessage("_views", &child);
	}
	stArchiveDepth--;
	if (status == B_OK && stArchiveDepth == 0)
		status = _ArchiveTreeDone(archive);
	return status;
}


// Calls AllArchived() on this view and on each archived descendant, with its own archive.
status_t
BView::_ArchiveTreeDone(BMessage* archive) const
{
	status_t status = AllArchived(archive);
	BMessage child;
	for (int32 i = 0; status == B_OK && ChildAt(i) != NULL
			&& archive->FindMessage("_views", i, &child) == B_OK; i++) {
		status = ChildAt(i)->_ArchiveTreeDone(&child);
		if (status == B_OK)
			status = archive->ReplaceMessage("_views", i, &child);
	}
	return status;
}


status_t
BView::AllArchived(BMessage* into) const
{
	return BHandler::AllArchived(into);
}


status_t
BView::AllUnarchived(const BMessage* from)
{
	return BHandler::AllUnarchived(from);
}

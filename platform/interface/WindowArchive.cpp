// A window's archive, in the platform's fields: what the looper keeps, then the frame,
// title, look and feel (an archive may give a type instead), flags, workspaces, zoom and size limits, pulse rate and,
// when deep, the archives of the views in the window (docs/archives.md).
#include <Window.h>

#include "app/ArchivedPulseRate.h"
#include "interface/ArchiveFields.h"
#include "interface/WindowPrivate.h"

#include <Message.h>
#include <View.h>

#include <algorithm>

using BPrivate::find_archived_float;
using BPrivate::find_archived_int32;
using BPrivate::kMaxWindowLimit;

namespace {

// An archived window is at most this wide and high: its pixels are allocated at once.
const float kMaxArchivedWindowSize = 8192;

const uint32 kKnownWindowFlags = B_NOT_MOVABLE | B_NOT_RESIZABLE | B_NOT_H_RESIZABLE
	| B_NOT_V_RESIZABLE | B_WILL_ACCEPT_FIRST_CLICK | B_NOT_CLOSABLE | B_NOT_ZOOMABLE
	| B_AVOID_FRONT | B_NO_WORKSPACE_ACTIVATION | B_OUTLINE_RESIZE | B_AVOID_FOCUS
	| B_NOT_MINIMIZABLE | B_NOT_ANCHORED_ON_ACTIVATE | B_ASYNCHRONOUS_CONTROLS
	| B_QUIT_ON_WINDOW_CLOSE | B_SAME_POSITION_IN_ALL_WORKSPACES | B_AUTO_UPDATE_SIZE_LIMITS
	| B_CLOSE_ON_ESCAPE;


bool
is_look(int32 value)
{
	switch (value) {
		case B_BORDERED_WINDOW_LOOK:
		case B_NO_BORDER_WINDOW_LOOK:
		case B_TITLED_WINDOW_LOOK:
		case B_DOCUMENT_WINDOW_LOOK:
		case B_MODAL_WINDOW_LOOK:
		case B_FLOATING_WINDOW_LOOK:
			return true;
		default:
			return false;
	}
}


BRect
archived_frame(BMessage* archive)
{
	BRect frame(0, 0, 0, 0);
	BPrivate::find_archived_rect(archive, "_frame", &frame);
	frame.right = std::min(frame.right, frame.left + kMaxArchivedWindowSize);
	frame.bottom = std::min(frame.bottom, frame.top + kMaxArchivedWindowSize);
	return frame;
}


const char*
archived_title(BMessage* archive)
{
	const char* title = NULL;
	if (archive != NULL && archive->FindString("_title", &title) != B_OK)
		title = NULL;
	return title;
}

} // namespace


BWindow::BWindow(BMessage* archive)
	:
	BLooper(archive),
	fBitmapSurface(NULL)
{
	int32 look = B_TITLED_WINDOW_LOOK;
	int32 feel = B_NORMAL_WINDOW_FEEL;
	int32 flags = 0;
	int32 workspaces = B_CURRENT_WORKSPACE;
	if (archive != NULL) {
		int32 value;
		if (archive->FindInt32("_wlook", &value) == B_OK && is_look(value))
			look = value;
		find_archived_int32(archive, "_wfeel", B_NORMAL_WINDOW_FEEL,
			B_FLOATING_ALL_WINDOW_FEEL, &feel);
		if (archive->FindInt32("_flags", &value) == B_OK)
			flags = (int32)((uint32)value & kKnownWindowFlags);
		archive->FindInt32("_wspace", &workspaces);
	}
	_Init(archived_frame(archive), archived_title(archive), (window_look)look,
		(window_feel)feel, (uint32)flags, (uint32)workspaces);
	if (archive == NULL)
		return;

	// A type stands for a look and feel; B_UNTYPED_WINDOW and unknown ones stand for none.
	int32 type;
	if (archive->FindInt32("_type", &type) == B_OK && type != B_UNTYPED_WINDOW)
		SetType((window_type)type);

	float zoom[2] = { fZoomMaxWidth, fZoomMaxHeight };
	if (find_archived_float(archive, "_zoom", 0, 0, kMaxWindowLimit, &zoom[0])
		&& find_archived_float(archive, "_zoom", 1, 0, kMaxWindowLimit, &zoom[1])) {
		SetZoomLimits(zoom[0], zoom[1]);
	}
	// Minimum width, minimum height, maximum width, maximum height. The minimums are
	// sizes the window takes at once, as its frame's.
	float limits[4] = { fMinWidth, fMinHeight, fMaxWidth, fMaxHeight };
	bool allLimits = true;
	for (int32 i = 0; i < 4 && allLimits; i++) {
		allLimits = find_archived_float(archive, "_sizel", i, 0,
			i < 2 ? kMaxArchivedWindowSize : kMaxWindowLimit, &limits[i]);
	}
	if (allLimits)
		SetSizeLimits(limits[0], limits[2], limits[1], limits[3]);

	bigtime_t pulse;
	if (BPrivate::find_archived_pulse_rate(archive, &pulse))
		SetPulseRate(pulse);

	BPrivate::add_archived_views(archive, this);
}


BArchivable*
BWindow::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BWindow"))
		return NULL;
	return new BWindow(archive);
}


status_t
BWindow::Archive(BMessage* archive, bool deep) const
{
	status_t status = BLooper::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddRect("_frame", fFrame);
	if (status == B_OK)
		status = archive->AddString("_title", fTitle.c_str());
	if (status == B_OK)
		status = archive->AddInt32("_wlook", fLook);
	if (status == B_OK)
		status = archive->AddInt32("_wfeel", fFeel);
	if (status == B_OK && fFlags != 0)
		status = archive->AddInt32("_flags", (int32)fFlags);
	if (status == B_OK)
		status = archive->AddInt32("_wspace", (int32)fWorkspaces);

	if (status == B_OK && (fZoomMaxWidth != kMaxWindowLimit
			|| fZoomMaxHeight != kMaxWindowLimit)) {
		status = archive->AddFloat("_zoom", fZoomMaxWidth);
		if (status == B_OK)
			status = archive->AddFloat("_zoom", fZoomMaxHeight);
	}
	if (status == B_OK && (fMinWidth != 0 || fMinHeight != 0
			|| fMaxWidth != kMaxWindowLimit || fMaxHeight != kMaxWindowLimit)) {
		const float limits[4] = { fMinWidth, fMinHeight, fMaxWidth, fMaxHeight };
		for (int32 i = 0; status == B_OK && i < 4; i++)
			status = archive->AddFloat("_sizel", limits[i]);
	}
	if (status == B_OK && fPulseRate != BPrivate::kDefaultWindowPulseRate)
		status = archive->AddInt64("_pulse", fPulseRate);

	for (int32 i = 0; deep && status == B_OK && i < CountChildren(); i++) {
		BMessage child;
		status = ChildAt(i)->Archive(&child, true);
		if (status == B_OK)
			status = archive->AddMessage("_views", &child);
	}
	return status;
}

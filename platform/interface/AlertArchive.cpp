// An alert's archive, in the platform's fields: the window's, then the text ("_text"),
// the alert type ("_atype"), the button width ("_but_width") and the buttons' shortcuts
// ("_but_key"); the labels are those of the buttons "_b0_" to "_b2_" among the archived
// views. The alert's views are its own and are made anew (docs/archives.md).
#include <Alert.h>

#include "interface/ArchiveFields.h"

#include <Button.h>
#include <Message.h>
#include <String.h>
#include <TextView.h>

#include <stdio.h>
#include <string.h>

namespace {

// The label of the view named name in the views archived under holder, at any depth.
bool
find_button_label(const BMessage& holder, const char* name, BString* label)
{
	BMessage view;
	for (int32 i = 0; holder.FindMessage("_views", i, &view) == B_OK; i++) {
		const char* viewName;
		if (view.FindString("_name", &viewName) == B_OK && strcmp(viewName, name) == 0)
			return view.FindString("_label", label) == B_OK;
		if (find_button_label(view, name, label))
			return true;
	}
	return false;
}

} // namespace


BAlert::BAlert(BMessage* archive)
	:
	BWindow(archive)
{
	// Views the window's archive brought are replaced by the alert's own.
	while (BView* child = ChildAt(0)) {
		RemoveChild(child);
		delete child;
	}

	const char* text = NULL;
	if (archive == NULL || archive->FindString("_text", &text) != B_OK)
		text = "";
	int32 type = B_INFO_ALERT;
	int32 width = B_WIDTH_AS_USUAL;
	BPrivate::find_archived_int32(archive, "_atype", B_EMPTY_ALERT, B_STOP_ALERT, &type);
	BPrivate::find_archived_int32(archive, "_but_width", B_WIDTH_AS_USUAL,
		B_WIDTH_FROM_LABEL, &width);

	// The buttons come in order; the first one missing ends them.
	BString labels[3];
	const char* labelPointers[3] = {};
	for (int32 i = 0; archive != NULL && i < 3; i++) {
		char name[8];
		snprintf(name, sizeof(name), "_b%d_", (int)i);
		if (!find_button_label(*archive, name, &labels[i]))
			break;
		labelPointers[i] = labels[i].String();
	}
	_Init(text, labelPointers[0], labelPointers[1], labelPointers[2], (button_width)width,
		B_EVEN_SPACING, (alert_type)type);

	int8 key;
	for (int32 i = 0; archive != NULL && i < fButtonCount
			&& archive->FindInt8("_but_key", i, &key) == B_OK; i++) {
		fShortcuts[i] = (char)key;
	}
}


BArchivable*
BAlert::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BAlert"))
		return NULL;
	return new BAlert(archive);
}


status_t
BAlert::Archive(BMessage* archive, bool deep) const
{
	status_t status = BWindow::Archive(archive, true);
	if (status == B_OK)
		status = archive->AddString("_text", Text());
	if (status == B_OK)
		status = archive->AddInt32("_atype", fType);
	if (status == B_OK)
		status = archive->AddInt32("_but_width", fButtonWidth);
	// One key a button, or none at all, so that each key finds its button again.
	if (fShortcuts[0] != 0 || fShortcuts[1] != 0 || fShortcuts[2] != 0) {
		for (int32 i = 0; status == B_OK && i < 3; i++)
			status = archive->AddInt8("_but_key", (int8)fShortcuts[i]);
	}
	return status;
}

// BTab: one tab of a tab view, its view, its state and how it is drawn.
#include <TabView.h>

#include <math.h>

namespace {

// The sides of a tab slope in by this much from its bottom to its top.
const float kSlope = 4;
// A tab behind the selected one is this much lower.
const float kBehindDrop = 2;


// Where the label's baseline and left edge go to centre it in frame.
BPoint
label_location(BView* owner, BRect frame, const char* label)
{
	font_height height;
	owner->GetFontHeight(&height);
	float x = floorf((frame.left + frame.right - owner->StringWidth(label)) / 2);
	float y = floorf((frame.top + frame.bottom + 1 - (height.ascent + height.descent)) / 2
		+ height.ascent);
	return BPoint(x, y);
}

} // namespace


BTab::BTab(BView* contentsView)
	:
	fTabView(NULL),
	fEnabled(true),
	fSelected(false),
	fFocus(false),
	fView(contentsView)
{
}


BTab::BTab(BMessage* archive)
	:
	BArchivable(archive),
	fTabView(NULL),
	fEnabled(true),
	fSelected(false),
	fFocus(false),
	fView(NULL)
{
	bool disabled;
	if (archive->FindBool("_disable", &disabled) == B_OK)
		fEnabled = !disabled;
}


BTab::~BTab()
{
	if (fView != NULL) {
		fView->RemoveSelf();
		delete fView;
	}
}


BArchivable*
BTab::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BTab"))
		return NULL;
	return new BTab(archive);
}


status_t
BTab::Archive(BMessage* data, bool deep) const
{
	// The view is archived by the tab view, beside the tab.
	status_t status = BArchivable::Archive(data, deep);
	if (status == B_OK && !fEnabled)
		status = data->AddBool("_disable", true);
	return status;
}


status_t
BTab::Perform(uint32 d, void* arg)
{
	// No perform codes are defined.
	return B_NAME_NOT_FOUND;
}


const char*
BTab::Label() const
{
	return fView != NULL ? fView->Name() : NULL;
}


void
BTab::SetLabel(const char* label)
{
	// The label is the view's name: a tab without a view has none.
	if (fView == NULL)
		return;
	fView->SetName(label);
	_Redraw();
}


void
BTab::Select(BView* owner)
{
	fSelected = true;
	if (owner != NULL && fView != NULL && fView->Parent() != owner) {
		fView->RemoveSelf();
		owner->AddChild(fView);
	}
}


void
BTab::Deselect()
{
	fSelected = false;
	if (fView != NULL)
		fView->RemoveSelf();
}


void
BTab::SetEnabled(bool enable)
{
	if (enable == fEnabled)
		return;
	fEnabled = enable;
	_Redraw();
}


void
BTab::MakeFocus(bool focus)
{
	fFocus = focus;
}


void
BTab::SetView(BView* view)
{
	if (view == fView)
		return;
	BView* parent = fView != NULL ? fView->Parent() : NULL;
	if (fView != NULL) {
		fView->RemoveSelf();
		delete fView;
	}
	fView = view;
	// A selected tab shows its new view where the old one was.
	if (fSelected && parent != NULL && view != NULL)
		parent->AddChild(view);
	_Redraw();
}


void
BTab::_Redraw()
{
	if (fTabView != NULL)
		fTabView->Invalidate();
}


void
BTab::DrawFocusMark(BView* owner, BRect frame)
{
	const char* label = Label();
	if (label == NULL)
		return;
	BPoint where = label_location(owner, frame, label);
	owner->SetHighColor(ui_color(B_KEYBOARD_NAVIGATION_COLOR));
	owner->StrokeLine(BPoint(where.x, where.y + 2),
		BPoint(where.x + owner->StringWidth(label), where.y + 2));
}


void
BTab::DrawLabel(BView* owner, BRect frame)
{
	const char* label = Label();
	if (label == NULL)
		return;
	rgb_color text = ui_color(B_CONTROL_TEXT_COLOR);
	owner->SetHighColor(fEnabled ? text
		: tint_color(owner->ViewColor(), B_DISABLED_LABEL_TINT));
	owner->DrawString(label, label_location(owner, frame, label));
}


void
BTab::DrawTab(BView* owner, BRect frame, tab_position position, bool full)
{
	bool front = position == B_TAB_FRONT;
	if (!front)
		frame.top += kBehindDrop;
	rgb_color background = owner->ViewColor();
	rgb_color face = front ? background : tint_color(background, B_DARKEN_1_TINT);
	rgb_color light = tint_color(background, B_LIGHTEN_MAX_TINT);
	rgb_color shadow = tint_color(background, B_DARKEN_2_TINT);
	rgb_color dark = tint_color(background, B_DARKEN_4_TINT);

	owner->PushState();
	BPoint outline[4] = {
		BPoint(frame.left, frame.bottom),
		BPoint(frame.left + kSlope, frame.top),
		BPoint(frame.right - kSlope, frame.top),
		BPoint(frame.right, frame.bottom)
	};
	owner->SetHighColor(face);
	owner->FillPolygon(outline, 4);

	// Without full, the right side stops halfway down, where a neighbour covers it.
	float rightBottom = full ? frame.bottom : floorf((frame.top + frame.bottom) / 2);
	float rightX = frame.right - kSlope * (frame.bottom - rightBottom)
		/ fmaxf(frame.Height(), 1);
	owner->BeginLineArray(4);
	owner->AddLine(outline[0], outline[1], light);
	owner->AddLine(outline[1], outline[2], light);
	owner->AddLine(outline[2], BPoint(rightX, rightBottom), dark);
	owner->AddLine(BPoint(outline[2].x - 1, outline[2].y + 1),
		BPoint(rightX - 1, rightBottom), shadow);
	owner->EndLineArray();

	owner->SetLowColor(face);
	DrawLabel(owner, frame);
	if (fFocus)
		DrawFocusMark(owner, frame);
	owner->PopState();
}

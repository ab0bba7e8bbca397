// BBox: a plain line or an etched (fancy) frame; the label, in the bold font, interrupts
// the top edge near the left corner.
#include <Box.h>

#include "interface/ArchiveFields.h"
#include "interface/WidgetScripting.h"

#include <Message.h>
#include <PropertyInfo.h>

#include <math.h>

namespace {

// The tags of the rows below (their extra_data).
enum {
	kLabelProperty = 1
};

property_info stBoxProperties[] = {
	{ "Label", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"The box's label.", kLabelProperty, { B_STRING_TYPE } },
	{ NULL }
};

// The label starts this far from the box's left edge and has this much room around it.
const float kLabelIndent = 10;
const float kLabelMargin = 3;

} // namespace


BBox::BBox(BRect frame, const char* name, uint32 resizingMode, uint32 flags,
	border_style border)
	:
	BView(frame, name, resizingMode, flags | B_WILL_DRAW),
	fHasLabel(false),
	fBorder(border),
	fLabelView(NULL)
{
	SetFont(be_bold_font);
	// Panel-coloured from the start: a subclass whose AttachedToWindow() does not call
	// this class's still shows a grey panel.
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	SetLowColor(ViewColor());
}


BBox::BBox(BMessage* archive)
	:
	BView(archive),
	fHasLabel(false),
	fBorder(B_FANCY_BORDER),
	fLabelView(NULL)
{
	if (archive == NULL)
		return;
	int32 border = B_FANCY_BORDER;
	if (BPrivate::find_archived_int32(archive, "_style", B_PLAIN_BORDER, B_NO_BORDER,
			&border)) {
		fBorder = (border_style)border;
	}
	const char* label = NULL;
	bool hasLabelView = false;
	if (archive->FindString("_label", &label) == B_OK) {
		fHasLabel = true;
		fLabel = label;
	} else if (archive->FindBool("_lblview", &hasLabelView) == B_OK && hasLabelView)
		fLabelView = ChildAt(0);
}


BBox::~BBox()
{
}


BArchivable*
BBox::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BBox"))
		return NULL;
	return new BBox(archive);
}


// A shallow archive leaves the label view out, and says nothing of it.
status_t
BBox::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddInt32("_style", (int32)fBorder);
	if (status == B_OK && fHasLabel)
		status = archive->AddString("_label", fLabel.c_str());
	if (status == B_OK && fLabelView != NULL && deep)
		status = archive->AddBool("_lblview", true);
	return status;
}


void
BBox::SetBorder(border_style border)
{
	if (border == fBorder)
		return;
	fBorder = border;
	Invalidate();
}


void
BBox::SetLabel(const char* label)
{
	_ClearLabelView();
	fHasLabel = label != NULL;
	fLabel = label != NULL ? label : "";
	Invalidate();
}


status_t
BBox::SetLabel(BView* viewLabel)
{
	_ClearLabelView();
	fHasLabel = false;
	fLabel.clear();
	if (viewLabel != NULL) {
		fLabelView = viewLabel;
		viewLabel->MoveTo(kLabelIndent - kLabelMargin, 0);
		AddChild(viewLabel, ChildAt(0));
	}
	Invalidate();
	return B_OK;
}


void
BBox::_ClearLabelView()
{
	if (fLabelView == NULL)
		return;
	fLabelView->RemoveSelf();
	delete fLabelView;
	fLabelView = NULL;
}


const char*
BBox::Label() const
{
	return fHasLabel ? fLabel.c_str() : NULL;
}


float
BBox::_TopBorderOffset()
{
	if (fLabelView != NULL)
		return floorf(fLabelView->Bounds().Height() / 2);
	if (!fHasLabel)
		return 0;
	font_height height;
	GetFontHeight(&height);
	return floorf((height.ascent + height.descent) / 2);
}


BRect
BBox::InnerFrame()
{
	BRect inner = Bounds();
	float inset = fBorder == B_FANCY_BORDER ? 2 : fBorder == B_PLAIN_BORDER ? 1 : 0;
	inner.InsetBy(inset, inset);
	if (fLabelView != NULL)
		inner.top = fLabelView->Frame().bottom + 1;
	else if (fHasLabel) {
		font_height height;
		GetFontHeight(&height);
		inner.top = Bounds().top + ceilf(height.ascent + height.descent);
	}
	return inner;
}


void
BBox::AttachedToWindow()
{
	rgb_color background = Parent() != NULL ? Parent()->ViewColor()
		: ui_color(B_PANEL_BACKGROUND_COLOR);
	SetViewColor(background);
	SetLowColor(background);
}


void
BBox::Draw(BRect updateRect)
{
	BRect frame = Bounds();
	frame.top += _TopBorderOffset();
	rgb_color background = ViewColor();
	rgb_color shadow = tint_color(background, B_DARKEN_3_TINT);
	rgb_color light = tint_color(background, B_LIGHTEN_MAX_TINT);

	BeginLineArray(8);
	if (fBorder == B_FANCY_BORDER) {
		// An etched groove: a dark line with a light one just inside it, and the
		// bottom and right edges lit from outside.
		AddLine(frame.LeftTop(), frame.RightTop(), shadow);
		AddLine(frame.LeftTop(), frame.LeftBottom(), shadow);
		AddLine(BPoint(frame.left + 1, frame.top + 1), BPoint(frame.right - 1,
			frame.top + 1), light);
		AddLine(BPoint(frame.left + 1, frame.top + 1), BPoint(frame.left + 1,
			frame.bottom - 1), light);
		AddLine(BPoint(frame.left + 1, frame.bottom - 1), BPoint(frame.right - 1,
			frame.bottom - 1), shadow);
		AddLine(BPoint(frame.right - 1, frame.top + 1), BPoint(frame.right - 1,
			frame.bottom - 1), shadow);
		AddLine(frame.LeftBottom(), frame.RightBottom(), light);
		AddLine(frame.RightTop(), frame.RightBottom(), light);
	} else if (fBorder == B_PLAIN_BORDER) {
		AddLine(frame.LeftTop(), frame.RightTop(), shadow);
		AddLine(frame.LeftTop(), frame.LeftBottom(), shadow);
		AddLine(frame.LeftBottom(), frame.RightBottom(), shadow);
		AddLine(frame.RightTop(), frame.RightBottom(), shadow);
	}
	EndLineArray();

	if (!fHasLabel || fLabel.empty())
		return;
	font_height height;
	GetFontHeight(&height);
	float width = StringWidth(fLabel.c_str());
	BRect labelRect(kLabelIndent - kLabelMargin, 0, kLabelIndent + width + kLabelMargin,
		ceilf(height.ascent + height.descent));
	SetHighColor(background);
	FillRect(labelRect);
	SetHighColor(ui_color(B_PANEL_TEXT_COLOR));
	DrawString(fLabel.c_str(), BPoint(kLabelIndent, ceilf(height.ascent)));
}


void
BBox::FrameResized(float newWidth, float newHeight)
{
	// The border lies along every edge: a change of size moves it.
	Invalidate();
}


void
BBox::GetPreferredSize(float* width, float* height)
{
	float labelWidth = fHasLabel ? StringWidth(fLabel.c_str()) + 2 * kLabelIndent : 0;
	font_height fontHeight;
	GetFontHeight(&fontHeight);
	float labelHeight = fHasLabel ? ceilf(fontHeight.ascent + fontHeight.descent) : 0;
	if (fLabelView != NULL) {
		labelWidth = fLabelView->Bounds().Width() + 1 + 2 * kLabelIndent;
		labelHeight = fLabelView->Bounds().Height() + 1;
	}
	if (width != NULL)
		*width = ceilf(labelWidth) + 4;
	if (height != NULL)
		*height = labelHeight + 4;
}


void
BBox::MessageReceived(BMessage* message)
{
	if (BPrivate::match_property(message, stBoxProperties) == kLabelProperty) {
		BMessage reply;
		status_t status = B_OK;
		if (message->what == B_GET_PROPERTY) {
			if (fHasLabel)
				reply.AddString("result", fLabel.c_str());
		} else {
			const char* label;
			status = BPrivate::find_data(message, &label);
			if (status == B_OK)
				SetLabel(label);
		}
		BPrivate::reply_result(message, &reply, status);
		return;
	}
	BView::MessageReceived(message);
}


BHandler*
BBox::ResolveSpecifier(BMessage* message, int32 index, BMessage* specifier, int32 form,
	const char* property)
{
	if (BPrivate::match_property(message, index, specifier, form, property,
			stBoxProperties) != BPrivate::kNoProperty) {
		return this;
	}
	return BView::ResolveSpecifier(message, index, specifier, form, property);
}


status_t
BBox::GetSupportedSuites(BMessage* data)
{
	status_t status = BPrivate::add_suite(data, "suite/vnd.Be-box", stBoxProperties);
	if (status == B_OK)
		status = BView::GetSupportedSuites(data);
	return status;
}

// BColorControl: the value and its packing, the number fields beside the ramps, the
// layout, archiving and the colour control suite. The ramps themselves (geometry, drawing,
// pointer and keys) are in ColorControlRamps.cpp.
#include <ColorControl.h>

#include "interface/WidgetScripting.h"

#include <Message.h>
#include <PropertyInfo.h>
#include <TextControl.h>

#include <algorithm>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

// Sent by the fields to the control when one was edited.
const uint32 kFieldsChanged = '_ccF';

const char* const kFieldNames[] = { "_red", "_green", "_blue" };
const char* const kFieldLabels[] = { "Red:", "Green:", "Blue:" };

// The cell size is kept within these bounds (pixels).
const float kMinCellSize = 1;
const float kMaxCellSize = 32;

// Room between the ramps' frame and the fields, between one field and the next, between a
// field's label and its text, and around the three digits inside a field.
const float kFieldGap = 8;
const float kFieldSpacing = 2;
const float kFieldLabelGap = 6;
const float kFieldTextMargin = 12;

// The tags of the table's rows (extra_data).
enum {
	kValueProperty = 1,
	kLayoutProperty,
	kCellSizeProperty
};

property_info stColorControlProperties[] = {
	{ "Value", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"The colour: red, green and blue in the three high bytes of an int32; a set also "
		"takes a B_RGB_COLOR_TYPE colour.", kValueProperty,
		{ B_INT32_TYPE, B_RGB_COLOR_TYPE } },
	{ "Layout", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"The columns of the cell matrix: 4, 8, 16, 32 or 64.", kLayoutProperty,
		{ B_INT32_TYPE } },
	{ "CellSize", { B_GET_PROPERTY, B_SET_PROPERTY }, { B_DIRECT_SPECIFIER },
		"The side of a cell in pixels, 1 to 32.", kCellSizeProperty, { B_FLOAT_TYPE } },
	{ NULL }
};


// Where a field's text starts: past the widest label.
float
field_divider(const BView* view)
{
	float labelWidth = 0;
	for (const char* label : kFieldLabels)
		labelWidth = std::max(labelWidth, view->StringWidth(label));
	return ceilf(labelWidth) + kFieldLabelGap;
}


bool
valid_layout(int32 layout)
{
	return layout == B_CELLS_4x64 || layout == B_CELLS_8x32 || layout == B_CELLS_16x16
		|| layout == B_CELLS_32x8 || layout == B_CELLS_64x4;
}


float
clamped_cell_size(float size)
{
	// Written so that NaN becomes the minimum.
	if (!(size >= kMinCellSize))
		return kMinCellSize;
	return std::min(size, kMaxCellSize);
}


int32
pack_color(rgb_color color)
{
	return (int32)(((uint32)color.red << 24) | ((uint32)color.green << 16)
		| ((uint32)color.blue << 8));
}

} // namespace


BColorControl::BColorControl(BPoint leftTop, color_control_layout matrix, float cellSize,
	const char* name, BMessage* message, bool bufferedDrawing)
	:
	BControl(BRect(leftTop, leftTop), name, NULL, message, B_FOLLOW_LEFT | B_FOLLOW_TOP,
		B_WILL_DRAW | B_NAVIGABLE),
	fLayout(valid_layout(matrix) ? matrix : B_CELLS_32x8),
	fCellSize(clamped_cell_size(cellSize)),
	fBufferedDrawing(bufferedDrawing),
	fFocusRamp(0),
	fTrackedRamp(-1),
	fFields{}
{
	_MakeFields();
	ResizeToPreferred();
}


BColorControl::BColorControl(BMessage* archive)
	:
	BControl(archive),
	fLayout(B_CELLS_32x8),
	fCellSize(kMinCellSize),
	fBufferedDrawing(false),
	fFocusRamp(0),
	fTrackedRamp(-1),
	fFields{}
{
	int32 layout = B_CELLS_32x8;
	if (archive->FindInt32("_layout", &layout) == B_OK && valid_layout(layout))
		fLayout = (color_control_layout)layout;
	float cellSize = kMinCellSize;
	archive->FindFloat("_csize", &cellSize);
	fCellSize = clamped_cell_size(cellSize);
	archive->FindBool("_use_off", &fBufferedDrawing);

	_MakeFields();
	// The control's part set the value and state; the fields follow them.
	SetValue(Value());
	for (BTextControl* field : fFields)
		field->SetEnabled(IsEnabled());
	ResizeToPreferred();
}


BColorControl::~BColorControl()
{
}


BArchivable*
BColorControl::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BColorControl"))
		return NULL;
	return new BColorControl(archive);
}


status_t
BColorControl::Archive(BMessage* archive, bool deep) const
{
	// The fields are parts of the control, made anew by the archive's constructor.
	status_t status = BControl::Archive(archive, false);
	if (status == B_OK)
		status = archive->AddInt32("_layout", (int32)fLayout);
	if (status == B_OK)
		status = archive->AddFloat("_csize", fCellSize);
	if (status == B_OK)
		status = archive->AddBool("_use_off", fBufferedDrawing);
	return status;
}


// #pragma mark - Value


void
BColorControl::SetValue(int32 value)
{
	value = (int32)((uint32)value & 0xffffff00);
	if (value == Value())
		return;
	BControl::SetValue(value);
	_UpdateFields();
}


void
BColorControl::SetValue(rgb_color color)
{
	SetValue(pack_color(color));
}


rgb_color
BColorControl::ValueAsColor() const
{
	uint32 value = (uint32)Value();
	return make_color((value >> 24) & 0xff, (value >> 16) & 0xff, (value >> 8) & 0xff);
}


void
BColorControl::SetEnabled(bool enabled)
{
	if (enabled == IsEnabled())
		return;
	BControl::SetEnabled(enabled);
	for (BTextControl* field : fFields)
		field->SetEnabled(enabled);
}


// #pragma mark - Fields and layout


void
BColorControl::_MakeFields()
{
	for (int32 i = 0; i < 3; i++) {
		fFields[i] = new BTextControl(BRect(0, 0, 59, 19), kFieldNames[i], kFieldLabels[i],
			"0", new BMessage(kFieldsChanged));
		// Three digits at the most, and nothing typed but digits.
		BTextView* text = fFields[i]->TextView();
		text->SetMaxBytes(3);
		for (uint32 c = ' '; c < 0x7f; c++) {
			if (c < '0' || c > '9')
				text->DisallowChar(c);
		}
		AddChild(fFields[i]);
	}
	_UpdateFields();
}


void
BColorControl::_FieldSize(float* width, float* height) const
{
	*width = field_divider(this) + ceilf(StringWidth("000")) + kFieldTextMargin;
	fFields[0]->GetPreferredSize(NULL, height);
}


void
BColorControl::_LayoutFields()
{
	float width, height;
	_FieldSize(&width, &height);
	float left = _RampsFrame().right + 1 + kFieldGap;
	for (int32 i = 0; i < 3; i++) {
		fFields[i]->MoveTo(left, i * (height + kFieldSpacing));
		fFields[i]->ResizeTo(width - 1, height - 1);
		fFields[i]->SetDivider(field_divider(this));
	}
}


// Shows the value's components in the fields, leaving a field that already shows its
// number untouched.
void
BColorControl::_UpdateFields()
{
	rgb_color color = ValueAsColor();
	const uint8 components[3] = { color.red, color.green, color.blue };
	for (int32 i = 0; i < 3; i++) {
		char number[4];
		snprintf(number, sizeof(number), "%u", components[i]);
		if (strcmp(fFields[i]->Text(), number) != 0)
			fFields[i]->SetText(number);
	}
}


// A field was edited: its number, brought within 0 to 255, sets its component.
void
BColorControl::_FieldsChanged()
{
	uint8 components[3];
	for (int32 i = 0; i < 3; i++) {
		long number = strtol(fFields[i]->Text(), NULL, 10);
		components[i] = (uint8)std::clamp(number, 0L, 255L);
	}
	int32 old = Value();
	SetValue(make_color(components[0], components[1], components[2]));
	_UpdateFields();
	if (Value() != old)
		Invoke();
}


void
BColorControl::SetLayout(color_control_layout layout)
{
	if (!valid_layout(layout))
		return;
	fLayout = layout;
	ResizeToPreferred();
	Invalidate();
}


void
BColorControl::SetCellSize(float size)
{
	fCellSize = clamped_cell_size(size);
	ResizeToPreferred();
	Invalidate();
}


void
BColorControl::GetPreferredSize(float* width, float* height)
{
	BRect ramps = _RampsFrame();
	float fieldWidth, fieldHeight;
	_FieldSize(&fieldWidth, &fieldHeight);
	if (width != NULL)
		*width = ramps.right + kFieldGap + fieldWidth;
	if (height != NULL)
		*height = std::max(ramps.bottom, 3 * fieldHeight + 2 * kFieldSpacing - 1);
}


void
BColorControl::ResizeToPreferred()
{
	BControl::ResizeToPreferred();
	_LayoutFields();
}


void
BColorControl::AttachedToWindow()
{
	BControl::AttachedToWindow();
	// The fields attach after the control: they find their target already set.
	for (BTextControl* field : fFields)
		field->SetTarget(this);
}


// #pragma mark - Scripting


void
BColorControl::MessageReceived(BMessage* message)
{
	if (message->what == kFieldsChanged) {
		_FieldsChanged();
		return;
	}
	BMessage reply;
	status_t status = B_OK;
	bool get = message->what == B_GET_PROPERTY;
	switch (BPrivate::match_property(message, stColorControlProperties)) {
		case kValueProperty:
		{
			const void* data;
			ssize_t size;
			int32 value;
			if (get)
				reply.AddInt32("result", Value());
			else if (message->FindData("data", B_RGB_COLOR_TYPE, &data, &size) == B_OK
				&& size == sizeof(rgb_color)) {
				rgb_color color;
				memcpy(&color, data, sizeof(color));
				SetValue(color);
			} else if ((status = BPrivate::find_data(message, &value)) == B_OK)
				SetValue(value);
			break;
		}
		case kLayoutProperty:
		{
			int32 layout;
			if (get)
				reply.AddInt32("result", (int32)fLayout);
			else if ((status = BPrivate::find_data(message, &layout)) == B_OK) {
				if (valid_layout(layout))
					SetLayout((color_control_layout)layout);
				else
					status = B_BAD_VALUE;
			}
			break;
		}
		case kCellSizeProperty:
		{
			float size;
			if (get)
				reply.AddFloat("result", fCellSize);
			else if (message->FindFloat("data", &size) == B_OK)
				SetCellSize(size);
			else
				status = B_BAD_VALUE;
			break;
		}
		default:
			BControl::MessageReceived(message);
			return;
	}
	BPrivate::reply_result(message, &reply, status);
}


BHandler*
BColorControl::ResolveSpecifier(BMessage* message, int32 index, BMessage* specifier,
	int32 form, const char* property)
{
	if (BPrivate::match_property(message, index, specifier, form, property,
			stColorControlProperties) != BPrivate::kNoProperty) {
		return this;
	}
	return BControl::ResolveSpecifier(message, index, specifier, form, property);
}


status_t
BColorControl::GetSupportedSuites(BMessage* data)
{
	status_t status = BPrivate::add_suite(data, "suite/vnd.Be-color-control",
		stColorControlProperties);
	if (status == B_OK)
		status = BControl::GetSupportedSuites(data);
	return status;
}

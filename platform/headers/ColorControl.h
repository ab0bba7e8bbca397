// A control for choosing a colour: red, green, blue and grey ramps, each with a marker at
// the current level, beside three fields that show the components as numbers. Its value is
// the colour packed into an int32: red in the high byte, then green, then blue; the low
// byte is unused and kept 0.
//
// A press or a drag in a ramp sets that component (the grey ramp sets all three) and
// invokes the control with each change; the arrow keys along the focused ramp step it, the
// arrow keys across the ramps move the focus between them. Typing a number in a field and
// pressing Enter (or leaving the field) sets that component and invokes the control.
//
// Runs on the window's thread, with the window locked.
#ifndef _COLOR_CONTROL_H
#define _COLOR_CONTROL_H

#include <Control.h>

class BTextControl;

// The matrix of cells the ramps fill: columns by rows, 256 cells in all.
enum color_control_layout {
	B_CELLS_4x64 = 4,
	B_CELLS_8x32 = 8,
	B_CELLS_16x16 = 16,
	B_CELLS_32x8 = 32,
	B_CELLS_64x4 = 64
};

class BColorControl : public BControl {
public:
	// The control takes its preferred size with its left top corner at leftTop; it owns
	// message. bufferedDrawing is kept and archived; the kit's windows already draw
	// without flicker, so it changes nothing.
							BColorControl(BPoint leftTop, color_control_layout matrix,
								float cellSize, const char* name, BMessage* message = NULL,
								bool bufferedDrawing = false);
	// The control of an archive made by Archive().
							BColorControl(BMessage* archive);
	virtual					~BColorControl();

	static	BArchivable*	Instantiate(BMessage* archive);
	// Adds the view's fields (not its children: the number fields are made anew), "_msg"
	// (the message, if any), "_val" (int32), "_disable" (bool, only when disabled),
	// "_layout" (int32, the color_control_layout), "_csize" (float) and "_use_off" (bool).
	virtual	status_t		Archive(BMessage* archive, bool deep = true) const;

	// The low byte of value is dropped.
	virtual	void			SetValue(int32 value);
			void			SetValue(rgb_color color);
	// The value's colour, opaque.
			rgb_color		ValueAsColor() const;

	virtual	void			SetEnabled(bool enabled);

	// Both resize the control to its preferred size and move the fields beside the ramps.
	virtual	void			SetLayout(color_control_layout layout);
			color_control_layout Layout() const { return fLayout; }
	// Brought within 1 to 32 pixels.
	virtual	void			SetCellSize(float size);
			float			CellSize() const { return fCellSize; }

	virtual	void			AttachedToWindow();
	virtual	void			MessageReceived(BMessage* message);
	virtual	void			Draw(BRect updateRect);
	virtual	void			MouseDown(BPoint where);
	virtual	void			MouseUp(BPoint where);
	virtual	void			MouseMoved(BPoint where, uint32 transit,
								const BMessage* dragMessage);
	virtual	void			KeyDown(const char* bytes, int32 numBytes);
	virtual	void			GetPreferredSize(float* width, float* height);
	virtual	void			ResizeToPreferred();

	// Scripting: "Value" (get: the packed int32; set: an int32 or a B_RGB_COLOR_TYPE
	// colour), "Layout" (int32) and "CellSize" (float), get and set, then the control
	// suite.
	virtual	BHandler*		ResolveSpecifier(BMessage* message, int32 index,
								BMessage* specifier, int32 form, const char* property);
	virtual	status_t		GetSupportedSuites(BMessage* data);

private:
							BColorControl(const BColorControl&) = delete;
			BColorControl&	operator=(const BColorControl&) = delete;

			void			_MakeFields();
			// A field's size: room for its label and three digits.
			void			_FieldSize(float* width, float* height) const;
			void			_LayoutFields();
			void			_UpdateFields();
			void			_FieldsChanged();
			// The ramps with the frame around them, and one ramp inside it.
			BRect			_RampsFrame() const;
			BRect			_RampFrame(int32 ramp) const;
			bool			_Horizontal() const;
			int32			_RampAt(BPoint where) const;
			int32			_LevelAt(int32 ramp, BPoint where) const;
			int32			_Level(int32 ramp) const;
			// Sets the ramp's component (all three for grey) as the user chose it,
			// invoking the control when the value changes.
			void			_SetFromUser(int32 ramp, int32 level);
			void			_DrawRamp(int32 ramp);

			color_control_layout fLayout;
			float			fCellSize;
			bool			fBufferedDrawing;
			// The ramp the arrow keys change, and the one a press holds (-1: none).
			int32			fFocusRamp;
			int32			fTrackedRamp;
			// The red, green and blue fields, children of the control.
			BTextControl*	fFields[3];
};

#endif // _COLOR_CONTROL_H

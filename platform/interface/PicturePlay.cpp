// BPicture::Play: the recorded calls handed to an application's table of functions, in
// the platform's order, as a printer driver or a picture converter reads a picture.
// Each call's drawing state comes first as state changes, sent only when it differs
// from what the table last heard.
#include <Picture.h>

#include "interface/PicturePrivate.h"

#include <Bitmap.h>
#include <Shape.h>

#include <string>

namespace {

using BPrivate::DrawState;
using BPrivate::PictureOp;

// The platform's order of the table's entries.
enum {
	kNop = 0,
	kMovePenBy,
	kStrokeLine,
	kStrokeRect,
	kFillRect,
	kStrokeRoundRect,
	kFillRoundRect,
	kStrokeBezier,
	kFillBezier,
	kStrokeArc,
	kFillArc,
	kStrokeEllipse,
	kFillEllipse,
	kStrokePolygon,
	kFillPolygon,
	kStrokeShape,
	kFillShape,
	kDrawString,
	kDrawPixels,
	kDrawPicture,
	kSetClippingRects,
	kClipToPicture,
	kPushState,
	kPopState,
	kEnterStateChange,
	kExitStateChange,
	kEnterFontState,
	kExitFontState,
	kSetOrigin,
	kSetPenLocation,
	kSetDrawingMode,
	kSetLineMode,
	kSetPenSize,
	kSetForeColor,
	kSetBackColor,
	kSetStipplePattern,
	kSetScale,
	kSetFontFamily,
	kSetFontStyle,
	kSetFontSpacing,
	kSetFontSize,
	kSetFontRotate,
	kSetFontEncoding,
	kSetFontFlags,
	kSetFontShear,
	kSetFontBpp,
	kSetFontFace,
	kSetBlendingMode
};


// Calls the table's entries; a missing entry (past the table's end, or NULL) is skipped.
class TablePlayer {
public:
	TablePlayer(void** table, int32 entries, void* user)
		:
		fTable(table),
		fEntries(entries),
		fUser(user)
	{
	}

	template<typename... Args>
	void Call(int32 index, Args... args)
	{
		if (index >= fEntries || fTable[index] == NULL)
			return;
		typedef void (*Function)(void*, Args...);
		((Function)fTable[index])(fUser, args...);
	}

	void Play(const PictureOp& op)
	{
		_SetState(op);
		BRect rect = op.rects[0];
		BPoint center((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
		BPoint radii(rect.Width() / 2, rect.Height() / 2);
		switch (op.code) {
			case BPrivate::kPictureStrokeLine:
				Call(kStrokeLine, op.points[0], op.points[1]);
				break;
			case BPrivate::kPictureStrokeRect:
				Call(kStrokeRect, rect);
				break;
			case BPrivate::kPictureFillRect:
				Call(kFillRect, rect);
				break;
			case BPrivate::kPictureInvertRect:
				// The table has no inversion: a rectangle filled in B_OP_INVERT.
				Call(kPushState);
				Call(kEnterStateChange);
				Call(kSetDrawingMode, B_OP_INVERT);
				Call(kExitStateChange);
				Call(kFillRect, rect);
				Call(kPopState);
				break;
			case BPrivate::kPictureStrokeEllipse:
				Call(kStrokeEllipse, center, radii);
				break;
			case BPrivate::kPictureFillEllipse:
				Call(kFillEllipse, center, radii);
				break;
			case BPrivate::kPictureStrokePolygon:
			case BPrivate::kPictureFillPolygon:
				Call(op.code == BPrivate::kPictureStrokePolygon ? kStrokePolygon
						: kFillPolygon, (int32)op.polygon.size(),
					(const BPoint*)op.polygon.data(),
					op.code == BPrivate::kPictureStrokePolygon ? op.closed : true);
				break;
			case BPrivate::kPictureDrawString:
				Call(kSetPenLocation, op.points[0]);
				Call(kDrawString, op.text.c_str(), 0.0f, 0.0f);
				break;
			case BPrivate::kPictureDrawBitmap:
				_DrawPixels(op);
				break;
			case BPrivate::kPictureStrokeRoundRect:
			case BPrivate::kPictureFillRoundRect:
				Call(op.code == BPrivate::kPictureStrokeRoundRect ? kStrokeRoundRect
					: kFillRoundRect, rect, BPoint(op.values[0], op.values[1]));
				break;
			case BPrivate::kPictureStrokeArc:
			case BPrivate::kPictureFillArc:
				Call(op.code == BPrivate::kPictureStrokeArc ? kStrokeArc : kFillArc,
					center, radii, op.values[0], op.values[1]);
				break;
			case BPrivate::kPictureStrokeBezier:
			case BPrivate::kPictureFillBezier:
			{
				if (op.polygon.size() != 4)
					break;
				BPoint points[4] = { op.polygon[0], op.polygon[1], op.polygon[2],
					op.polygon[3] };
				Call(op.code == BPrivate::kPictureStrokeBezier ? kStrokeBezier
					: kFillBezier, (BPoint*)points);
				break;
			}
			case BPrivate::kPictureStrokeShape:
			case BPrivate::kPictureFillShape:
				Call(op.code == BPrivate::kPictureStrokeShape ? kStrokeShape : kFillShape,
					&op.shape);
				break;
			case BPrivate::kPictureFillRegion:
				for (const BRect& part : op.regionRects)
					Call(kFillRect, part);
				break;
		}
	}

private:
	void _SetState(const PictureOp& op)
	{
		const DrawState& state = op.state;
		bool first = !fStarted;
		bool lineMode = first || state.lineCap != fState.lineCap
			|| state.lineJoin != fState.lineJoin || state.miterLimit != fState.miterLimit;
		bool blending = first || state.alphaSource != fState.alphaSource
			|| state.alphaFunction != fState.alphaFunction;
		bool changes = first || lineMode || blending
			|| state.drawingMode != fState.drawingMode || state.penSize != fState.penSize
			|| state.highColor != fState.highColor || state.lowColor != fState.lowColor
			|| op.fill != fPattern;
		bool font = op.code == BPrivate::kPictureDrawString && (first || !fHasFont
			|| op.family != fFamily || op.style != fStyle || op.fontSize != fFontSize);
		if (!changes && !font)
			return;
		Call(kEnterStateChange);
		if (first || state.drawingMode != fState.drawingMode)
			Call(kSetDrawingMode, state.drawingMode);
		if (lineMode)
			Call(kSetLineMode, state.lineCap, state.lineJoin, state.miterLimit);
		if (first || state.penSize != fState.penSize)
			Call(kSetPenSize, state.penSize);
		if (first || state.highColor != fState.highColor)
			Call(kSetForeColor, state.highColor);
		if (first || state.lowColor != fState.lowColor)
			Call(kSetBackColor, state.lowColor);
		if (first || op.fill != fPattern)
			Call(kSetStipplePattern, op.fill);
		if (blending)
			Call(kSetBlendingMode, state.alphaSource, state.alphaFunction);
		if (font) {
			Call(kEnterFontState);
			Call(kSetFontFamily, op.family.c_str());
			Call(kSetFontStyle, op.style.c_str());
			Call(kSetFontSize, op.fontSize);
			Call(kExitFontState);
			fFamily = op.family;
			fStyle = op.style;
			fFontSize = op.fontSize;
			fHasFont = true;
		}
		Call(kExitStateChange);
		fState = state;
		fPattern = op.fill;
		fStarted = true;
	}

	void _DrawPixels(const PictureOp& op)
	{
		BMessage archive(op.bitmap);
		BBitmap bitmap(&archive);
		if (bitmap.InitCheck() != B_OK)
			return;
		BRect bounds = bitmap.Bounds();
		Call(kDrawPixels, op.rects[0], op.rects[1], (int32)bounds.Width() + 1,
			(int32)bounds.Height() + 1, (int32)bitmap.BytesPerRow(),
			(int32)bitmap.ColorSpace(), (int32)0, (const void*)bitmap.Bits());
	}

	void**		fTable;
	int32		fEntries;
	void*		fUser;
	bool		fStarted = false;
	DrawState	fState;
	pattern		fPattern = B_SOLID_HIGH;
	bool		fHasFont = false;
	std::string	fFamily;
	std::string	fStyle;
	float		fFontSize = 0;
};

} // namespace


status_t
BPicture::Play(void** callBackTable, int32 tableEntries, void* user)
{
	if (callBackTable == NULL || tableEntries < 0)
		return B_BAD_VALUE;
	TablePlayer player(callBackTable, tableEntries, user);
	return fData->ForEach([&player](const PictureOp& op) { player.Play(op); });
}

// What a BPicture holds: the recorded drawing calls as a byte stream in the flattened
// form's layout (docs/picture-format.md), each with the drawing state it was made in.
// Recording appends to it; replaying and unflattening walk it with one reader that
// checks every length against the bytes left, so bytes from elsewhere are never trusted.
#ifndef _PICTURE_DATA_H
#define _PICTURE_DATA_H

#include "interface/DrawState.h"

#include <Message.h>
#include <Shape.h>

#include <functional>
#include <string>
#include <vector>

class BBitmap;
class BDataIO;
class BRegion;
class BView;

namespace BPrivate {

class Painter;

enum PictureOpCode {
	kPictureStrokeLine		= 1,
	kPictureStrokeRect		= 2,
	kPictureFillRect		= 3,
	kPictureStrokeEllipse	= 4,
	kPictureFillEllipse		= 5,
	kPictureInvertRect		= 6,
	kPictureStrokePolygon	= 7,
	kPictureFillPolygon		= 8,
	kPictureDrawString		= 9,
	kPictureDrawBitmap		= 10,
	kPictureStrokeRoundRect	= 11,
	kPictureFillRoundRect	= 12,
	kPictureStrokeArc		= 13,
	kPictureFillArc			= 14,
	kPictureStrokeBezier	= 15,
	kPictureFillBezier		= 16,
	kPictureStrokeShape		= 17,
	kPictureFillShape		= 18,
	kPictureFillRegion		= 19
};

// One recorded call, as the reader hands it over.
struct PictureOp {
	uint16				code = 0;
	DrawState			state;
	BPoint				points[2];
	BRect				rects[2];
	// Radii of a round rectangle; start and sweep of an arc.
	float				values[2] = { 0, 0 };
	pattern				fill = B_SOLID_HIGH;
	// A polygon's points, a curve's four, or a shape's.
	std::vector<BPoint>	polygon;
	BShape				shape;
	std::vector<BRect>	regionRects;
	bool				closed = false;
	std::string			family;
	std::string			style;
	float				fontSize = 0;
	std::string			text;
	BMessage			bitmap;
};

class PictureData {
public:
	void				Clear();
	uint32				CountOps() const { return fCount; }
	const std::vector<uint8>& Bytes() const { return fBytes; }

	// Recording; coordinates are the view's current ones (state's origin applied here).
	// A call that would take the picture past kMaxSize is dropped.
	void				AddLine(const DrawState& state, BPoint from, BPoint to,
							const pattern& fill);
	void				AddRect(PictureOpCode code, const DrawState& state, BRect rect,
							const pattern& fill);
	void				AddPolygon(PictureOpCode code, const DrawState& state,
							const BPoint* points, int32 count, bool closed,
							const pattern& fill);
	void				AddString(const DrawState& state, const char* string,
							int32 length, BPoint where);
	void				AddBitmap(const DrawState& state, const BBitmap* bitmap,
							BRect source, BRect destination);
	void				AddRoundRect(PictureOpCode code, const DrawState& state,
							BRect rect, float xRadius, float yRadius, const pattern& fill);
	void				AddArc(PictureOpCode code, const DrawState& state, BRect rect,
							float start, float arc, const pattern& fill);
	void				AddBezier(PictureOpCode code, const DrawState& state,
							const BPoint* points, const pattern& fill);
	void				AddShape(PictureOpCode code, const DrawState& state,
							const BShape& shape, const pattern& fill);
	void				AddRegion(const DrawState& state, const BRegion& region,
							const pattern& fill);
	// Calls visit for each op in order; B_BAD_DATA at the first inconsistency.
	status_t			ForEach(const std::function<void(const PictureOp&)>& visit) const;
	// Draws the calls into view, moved by where, in a state of their own.
	void				Play(BView* view, BPoint where) const;
	// Paints what each call covers, in its own mode, onto painter's surface with the
	// picture's origin at where (surface coordinates of the painter's view): what
	// clipping to a picture keeps.
	void				PaintCoverage(Painter& painter, BPoint where) const;
	// Paints the calls as they were recorded (colours, modes, patterns) onto
	// painter's surface with the picture's origin at where; with coverage, what
	// PaintCoverage() paints.
	void				Paint(Painter& painter, BPoint where, bool coverage = false) const;

	// The flattened form: a header and the op stream.
	status_t			Flatten(BDataIO* stream) const;
	status_t			Flatten(std::vector<uint8>& out) const;
	// Replaces the contents only when the bytes decode whole.
	status_t			Unflatten(BDataIO* stream);
	status_t			Unflatten(const void* data, size_t size);

	static constexpr uint32	kMagic = 'QPic';
	static constexpr uint32	kVersion = 1;
	static constexpr size_t	kHeaderSize = 16;
	// Plenty for a control's pictures; a picture is no place for a photograph.
	static constexpr size_t	kMaxSize = 16 * 1024 * 1024;
	static constexpr uint32	kMaxOps = 1 << 20;
	static constexpr uint32	kMaxPolygonPoints = 1 << 16;
	static constexpr size_t	kMaxStringLength = 64 * 1024;
	// Shapes share the polygons' limit on points, and have at most as many runs.
	static constexpr uint32	kMaxShapePoints = kMaxPolygonPoints;
	static constexpr uint32	kMaxRegionRects = 1 << 16;

private:
	bool				BeginOp(PictureOpCode code, const DrawState& state,
							size_t geometrySize);

	std::vector<uint8>	fBytes;
	uint32				fCount = 0;
};

} // namespace BPrivate

#endif // _PICTURE_DATA_H

#include "interface/PictureData.h"

#include "interface/Painter.h"
#include "interface/ShapePrivate.h"

#include <Bitmap.h>
#include <DataIO.h>
#include <Region.h>
#include <View.h>

#include <endian.h>
#include <string.h>

namespace BPrivate {

namespace {

// Colours, pen size and modes, as every op carries them.
const size_t kStateSize = 24;
const size_t kOpHeaderSize = 8;
const size_t kPointSize = 8;
const size_t kRectSize = 16;
const size_t kPatternSize = 8;


class Writer {
public:
	explicit Writer(std::vector<uint8>& bytes) : fBytes(bytes) {}

	void UInt8(uint8 value) { fBytes.push_back(value); }
	void UInt16(uint16 value)
	{
		value = htole16(value);
		Raw(&value, sizeof(value));
	}
	void UInt32(uint32 value)
	{
		value = htole32(value);
		Raw(&value, sizeof(value));
	}
	void Float(float value)
	{
		uint32 bits;
		memcpy(&bits, &value, sizeof(bits));
		UInt32(bits);
	}
	void Color(rgb_color color)
	{
		UInt8(color.red);
		UInt8(color.green);
		UInt8(color.blue);
		UInt8(color.alpha);
	}
	void Point(BPoint point)
	{
		Float(point.x);
		Float(point.y);
	}
	void Rect(BRect rect)
	{
		Float(rect.left);
		Float(rect.top);
		Float(rect.right);
		Float(rect.bottom);
	}
	void Pattern(const pattern& fill) { Raw(fill.data, kPatternSize); }
	void Raw(const void* data, size_t size)
	{
		fBytes.insert(fBytes.end(), (const uint8*)data, (const uint8*)data + size);
	}

private:
	std::vector<uint8>& fBytes;
};


// Reads from bytes it does not trust: every read checks what is left, and once one fails
// all later ones fail too.
class Reader {
public:
	Reader(const uint8* data, size_t size) : fData(data), fLeft(size), fOK(true) {}

	bool OK() const { return fOK; }
	size_t Left() const { return fLeft; }

	bool Raw(void* out, size_t size)
	{
		if (!fOK || size > fLeft) {
			fOK = false;
			return false;
		}
		memcpy(out, fData, size);
		fData += size;
		fLeft -= size;
		return true;
	}
	const uint8* Skip(size_t size)
	{
		if (!fOK || size > fLeft) {
			fOK = false;
			return NULL;
		}
		const uint8* at = fData;
		fData += size;
		fLeft -= size;
		return at;
	}
	uint8 UInt8()
	{
		uint8 value = 0;
		Raw(&value, 1);
		return value;
	}
	uint16 UInt16()
	{
		uint16 value = 0;
		Raw(&value, 2);
		return le16toh(value);
	}
	uint32 UInt32()
	{
		uint32 value = 0;
		Raw(&value, 4);
		return le32toh(value);
	}
	float Float()
	{
		uint32 bits = UInt32();
		float value;
		memcpy(&value, &bits, sizeof(value));
		return value;
	}
	rgb_color Color()
	{
		rgb_color color;
		color.red = UInt8();
		color.green = UInt8();
		color.blue = UInt8();
		color.alpha = UInt8();
		return color;
	}
	BPoint Point()
	{
		float x = Float();
		return BPoint(x, Float());
	}
	BRect Rect()
	{
		float left = Float();
		float top = Float();
		float right = Float();
		return BRect(left, top, right, Float());
	}
	pattern Pattern()
	{
		pattern fill = B_SOLID_HIGH;
		Raw(fill.data, kPatternSize);
		return fill;
	}

private:
	const uint8* fData;
	size_t fLeft;
	bool fOK;
};


void
write_state(Writer& writer, const DrawState& state)
{
	writer.Color(state.highColor);
	writer.Color(state.lowColor);
	writer.Float(state.penSize);
	writer.UInt8((uint8)state.drawingMode);
	writer.UInt8((uint8)state.alphaSource);
	writer.UInt8((uint8)state.alphaFunction);
	writer.UInt8((uint8)state.lineCap);
	writer.UInt8((uint8)state.lineJoin);
	writer.Raw("\0\0\0", 3);
	writer.Float(state.miterLimit);
}


// Modes outside the kit's enumerations are refused rather than cast.
bool
read_state(Reader& reader, DrawState& state)
{
	state.highColor = reader.Color();
	state.lowColor = reader.Color();
	state.penSize = reader.Float();
	uint8 mode = reader.UInt8();
	uint8 alphaSource = reader.UInt8();
	uint8 alphaFunction = reader.UInt8();
	uint8 cap = reader.UInt8();
	uint8 join = reader.UInt8();
	reader.Skip(3);
	state.miterLimit = reader.Float();
	if (!reader.OK() || mode > B_OP_ALPHA || alphaSource > B_CONSTANT_ALPHA
		|| alphaFunction > B_ALPHA_COMPOSITE || cap > B_SQUARE_CAP || join > B_SQUARE_JOIN)
		return false;
	state.drawingMode = (drawing_mode)mode;
	state.alphaSource = (source_alpha)alphaSource;
	state.alphaFunction = (alpha_function)alphaFunction;
	state.lineCap = (cap_mode)cap;
	state.lineJoin = (join_mode)join;
	return true;
}


// A shape: pattern, run count, point count (uint32 each), the runs (uint32: kind in the
// high four bits, point count in the rest), then the points. Runs must be of known kinds
// with the points their kind takes, and use up the points exactly.
bool
read_shape(Reader& reader, PictureOp& op)
{
	op.fill = reader.Pattern();
	uint32 runCount = reader.UInt32();
	uint32 pointCount = reader.UInt32();
	if (!reader.OK() || runCount > PictureData::kMaxShapePoints
		|| pointCount > PictureData::kMaxShapePoints
		|| runCount * 4 + pointCount * kPointSize != reader.Left()) {
		return false;
	}
	std::vector<uint32> runs(runCount);
	for (uint32& run : runs)
		run = reader.UInt32();
	std::vector<BPoint> points(pointCount);
	for (BPoint& point : points)
		point = reader.Point();
	if (!reader.OK())
		return false;
	size_t next = 0;
	for (uint32 run : runs) {
		uint32 kind = run & 0xf0000000;
		uint32 count = run & 0x0fffffff;
		if (count > pointCount - next)
			return false;
		const BPoint* at = points.data() + next;
		if (kind == kShapeMoveTo && count == 1)
			op.shape.MoveTo(at[0]);
		else if (kind == kShapeLineTo && count > 0) {
			for (uint32 i = 0; i < count; i++)
				op.shape.LineTo(at[i]);
		} else if (kind == kShapeBezierTo && count > 0 && count % 3 == 0) {
			for (uint32 i = 0; i < count; i += 3)
				op.shape.BezierTo(at[i], at[i + 1], at[i + 2]);
		} else if (kind == kShapeClose && count == 0)
			op.shape.Close();
		else
			return false;
		next += count;
	}
	return next == pointCount;
}


bool
read_geometry(Reader& reader, PictureOp& op)
{
	switch (op.code) {
		case kPictureStrokeLine:
			op.points[0] = reader.Point();
			op.points[1] = reader.Point();
			op.fill = reader.Pattern();
			return reader.OK();
		case kPictureStrokeRect:
		case kPictureFillRect:
		case kPictureStrokeEllipse:
		case kPictureFillEllipse:
			op.rects[0] = reader.Rect();
			op.fill = reader.Pattern();
			return reader.OK();
		case kPictureInvertRect:
			op.rects[0] = reader.Rect();
			return reader.OK();
		case kPictureStrokePolygon:
		case kPictureFillPolygon:
		{
			uint32 count = reader.UInt32();
			op.closed = reader.UInt8() != 0;
			reader.Skip(3);
			op.fill = reader.Pattern();
			if (!reader.OK() || count > PictureData::kMaxPolygonPoints
				|| count * kPointSize > reader.Left()) {
				return false;
			}
			op.polygon.resize(count);
			for (BPoint& point : op.polygon)
				point = reader.Point();
			return reader.OK();
		}
		case kPictureDrawString:
		{
			op.fontSize = reader.Float();
			uint16 familyLength = reader.UInt16();
			uint16 styleLength = reader.UInt16();
			if (familyLength > B_FONT_FAMILY_LENGTH || styleLength > B_FONT_STYLE_LENGTH)
				return false;
			const uint8* family = reader.Skip(familyLength);
			const uint8* style = reader.Skip(styleLength);
			op.points[0] = reader.Point();
			uint32 length = reader.UInt32();
			if (!reader.OK() || length > PictureData::kMaxStringLength)
				return false;
			const uint8* text = reader.Skip(length);
			if (!reader.OK())
				return false;
			op.family.assign((const char*)family, familyLength);
			op.style.assign((const char*)style, styleLength);
			op.text.assign((const char*)text, length);
			return true;
		}
		case kPictureDrawBitmap:
		{
			op.rects[0] = reader.Rect();
			op.rects[1] = reader.Rect();
			uint32 size = reader.UInt32();
			const uint8* archive = reader.Skip(size);
			return reader.OK()
				&& op.bitmap.Unflatten((const char*)archive, (ssize_t)size) == B_OK;
		}
		case kPictureStrokeRoundRect:
		case kPictureFillRoundRect:
		case kPictureStrokeArc:
		case kPictureFillArc:
			op.rects[0] = reader.Rect();
			op.values[0] = reader.Float();
			op.values[1] = reader.Float();
			op.fill = reader.Pattern();
			return reader.OK();
		case kPictureStrokeBezier:
		case kPictureFillBezier:
			op.polygon.resize(4);
			for (BPoint& point : op.polygon)
				point = reader.Point();
			op.fill = reader.Pattern();
			return reader.OK();
		case kPictureStrokeShape:
		case kPictureFillShape:
			return read_shape(reader, op);
		case kPictureFillRegion:
		{
			op.fill = reader.Pattern();
			uint32 count = reader.UInt32();
			if (!reader.OK() || count > PictureData::kMaxRegionRects
				|| count * kRectSize > reader.Left()) {
				return false;
			}
			op.regionRects.resize(count);
			for (BRect& rect : op.regionRects)
				rect = reader.Rect();
			return reader.OK();
		}
		default:
			return false;
	}
}


status_t
read_all(BDataIO* stream, void* buffer, size_t size)
{
	size_t done = 0;
	while (done < size) {
		ssize_t bytes = stream->Read((uint8*)buffer + done, size - done);
		if (bytes <= 0)
			return bytes < 0 ? (status_t)bytes : B_BAD_DATA;
		done += bytes;
	}
	return B_OK;
}

} // namespace


void
PictureData::Clear()
{
	fBytes.clear();
	fCount = 0;
}


bool
PictureData::BeginOp(PictureOpCode code, const DrawState& state, size_t geometrySize)
{
	size_t payload = kStateSize + geometrySize;
	if (fCount >= kMaxOps || fBytes.size() + kOpHeaderSize + payload > kMaxSize)
		return false;
	Writer writer(fBytes);
	writer.UInt16((uint16)code);
	writer.UInt16(0);
	writer.UInt32((uint32)payload);
	write_state(writer, state);
	fCount++;
	return true;
}


void
PictureData::AddLine(const DrawState& state, BPoint from, BPoint to, const pattern& fill)
{
	if (!BeginOp(kPictureStrokeLine, state, 2 * kPointSize + kPatternSize))
		return;
	Writer writer(fBytes);
	writer.Point(state.ToView(from));
	writer.Point(state.ToView(to));
	writer.Pattern(fill);
}


void
PictureData::AddRect(PictureOpCode code, const DrawState& state, BRect rect,
	const pattern& fill)
{
	bool withPattern = code != kPictureInvertRect;
	if (!BeginOp(code, state, kRectSize + (withPattern ? kPatternSize : 0)))
		return;
	Writer writer(fBytes);
	writer.Rect(state.ToView(rect));
	if (withPattern)
		writer.Pattern(fill);
}


void
PictureData::AddPolygon(PictureOpCode code, const DrawState& state, const BPoint* points,
	int32 count, bool closed, const pattern& fill)
{
	if (points == NULL || count <= 0 || (uint32)count > kMaxPolygonPoints
		|| !BeginOp(code, state, 8 + kPatternSize + count * kPointSize)) {
		return;
	}
	Writer writer(fBytes);
	writer.UInt32((uint32)count);
	writer.UInt8(closed ? 1 : 0);
	writer.Raw("\0\0\0", 3);
	writer.Pattern(fill);
	for (int32 i = 0; i < count; i++)
		writer.Point(state.ToView(points[i]));
}


void
PictureData::AddString(const DrawState& state, const char* string, int32 length,
	BPoint where)
{
	if (string == NULL || length <= 0 || (size_t)length > kMaxStringLength)
		return;
	font_family family;
	font_style style;
	state.font.GetFamilyAndStyle(&family, &style);
	size_t familyLength = strnlen(family, B_FONT_FAMILY_LENGTH);
	size_t styleLength = strnlen(style, B_FONT_STYLE_LENGTH);
	if (!BeginOp(kPictureDrawString, state,
			8 + familyLength + styleLength + kPointSize + 4 + length)) {
		return;
	}
	Writer writer(fBytes);
	writer.Float(state.font.Size());
	writer.UInt16((uint16)familyLength);
	writer.UInt16((uint16)styleLength);
	writer.Raw(family, familyLength);
	writer.Raw(style, styleLength);
	writer.Point(state.ToView(where));
	writer.UInt32((uint32)length);
	writer.Raw(string, length);
}


void
PictureData::AddBitmap(const DrawState& state, const BBitmap* bitmap, BRect source,
	BRect destination)
{
	BMessage archive;
	if (bitmap == NULL || bitmap->Archive(&archive) != B_OK)
		return;
	ssize_t size = archive.FlattenedSize();
	if (size <= 0 || (size_t)size > kMaxSize)
		return;
	std::vector<char> flat(size);
	if (archive.Flatten(flat.data(), size) != B_OK
		|| !BeginOp(kPictureDrawBitmap, state, 2 * kRectSize + 4 + size)) {
		return;
	}
	Writer writer(fBytes);
	writer.Rect(source);
	writer.Rect(state.ToView(destination));
	writer.UInt32((uint32)size);
	writer.Raw(flat.data(), size);
}


void
PictureData::AddRoundRect(PictureOpCode code, const DrawState& state, BRect rect,
	float xRadius, float yRadius, const pattern& fill)
{
	if (!BeginOp(code, state, kRectSize + 8 + kPatternSize))
		return;
	Writer writer(fBytes);
	float scale = state.CombinedScale();
	writer.Rect(state.ToView(rect));
	writer.Float(xRadius * scale);
	writer.Float(yRadius * scale);
	writer.Pattern(fill);
}


void
PictureData::AddArc(PictureOpCode code, const DrawState& state, BRect rect, float start,
	float arc, const pattern& fill)
{
	if (!BeginOp(code, state, kRectSize + 8 + kPatternSize))
		return;
	Writer writer(fBytes);
	writer.Rect(state.ToView(rect));
	writer.Float(start);
	writer.Float(arc);
	writer.Pattern(fill);
}


void
PictureData::AddBezier(PictureOpCode code, const DrawState& state, const BPoint* points,
	const pattern& fill)
{
	if (points == NULL || !BeginOp(code, state, 4 * kPointSize + kPatternSize))
		return;
	Writer writer(fBytes);
	for (int32 i = 0; i < 4; i++)
		writer.Point(state.ToView(points[i]));
	writer.Pattern(fill);
}


void
PictureData::AddShape(PictureOpCode code, const DrawState& state, const BShape& shape,
	const pattern& fill)
{
	uint32 runCount = 0;
	uint32 pointCount = 0;
	BShape::Private::ForEachRun(shape, [&](uint32, const BPoint*, int32 count) {
		runCount++;
		pointCount += count;
	});
	if (runCount > kMaxShapePoints || pointCount > kMaxShapePoints
		|| !BeginOp(code, state, kPatternSize + 8 + runCount * 4 + pointCount * kPointSize)) {
		return;
	}
	Writer writer(fBytes);
	writer.Pattern(fill);
	writer.UInt32(runCount);
	writer.UInt32(pointCount);
	BShape::Private::ForEachRun(shape, [&](uint32 kind, const BPoint*, int32 count) {
		writer.UInt32(kind | (uint32)count);
	});
	BShape::Private::ForEachRun(shape, [&](uint32, const BPoint* points, int32 count) {
		for (int32 i = 0; i < count; i++)
			writer.Point(state.ToView(points[i]));
	});
}


void
PictureData::AddRegion(const DrawState& state, const BRegion& region, const pattern& fill)
{
	uint32 count = (uint32)region.CountRects();
	if (count == 0 || count > kMaxRegionRects
		|| !BeginOp(kPictureFillRegion, state, kPatternSize + 4 + count * kRectSize)) {
		return;
	}
	Writer writer(fBytes);
	writer.Pattern(fill);
	writer.UInt32(count);
	for (uint32 i = 0; i < count; i++)
		writer.Rect(state.ToView(region.RectAt(i)));
}


status_t
PictureData::ForEach(const std::function<void(const PictureOp&)>& visit) const
{
	Reader reader(fBytes.data(), fBytes.size());
	for (uint32 i = 0; i < fCount; i++) {
		PictureOp op;
		op.code = reader.UInt16();
		reader.UInt16();
		uint32 payload = reader.UInt32();
		const uint8* body = reader.Skip(payload);
		if (body == NULL)
			return B_BAD_DATA;
		// Each op is read within its own length, so a bad one cannot reach the next.
		Reader opReader(body, payload);
		if (!read_state(opReader, op.state) || !read_geometry(opReader, op)
			|| opReader.Left() != 0) {
			return B_BAD_DATA;
		}
		visit(op);
	}
	return reader.Left() == 0 ? B_OK : B_BAD_DATA;
}


void
PictureData::Play(BView* view, BPoint where) const
{
	view->PushState();
	view->SetOrigin(where);
	ForEach([view](const PictureOp& op) {
		const DrawState& state = op.state;
		view->SetHighColor(state.highColor);
		view->SetLowColor(state.lowColor);
		view->SetPenSize(state.penSize);
		view->SetDrawingMode(state.drawingMode);
		view->SetBlendingMode(state.alphaSource, state.alphaFunction);
		view->SetLineMode(state.lineCap, state.lineJoin, state.miterLimit);
		switch (op.code) {
			case kPictureStrokeLine:
				view->StrokeLine(op.points[0], op.points[1], op.fill);
				break;
			case kPictureStrokeRect:
				view->StrokeRect(op.rects[0], op.fill);
				break;
			case kPictureFillRect:
				view->FillRect(op.rects[0], op.fill);
				break;
			case kPictureStrokeEllipse:
				view->StrokeEllipse(op.rects[0], op.fill);
				break;
			case kPictureFillEllipse:
				view->FillEllipse(op.rects[0], op.fill);
				break;
			case kPictureInvertRect:
				view->InvertRect(op.rects[0]);
				break;
			case kPictureStrokePolygon:
				view->StrokePolygon(op.polygon.data(), (int32)op.polygon.size(), op.closed,
					op.fill);
				break;
			case kPictureFillPolygon:
				view->FillPolygon(op.polygon.data(), (int32)op.polygon.size(), op.fill);
				break;
			case kPictureDrawString:
			{
				BFont font;
				view->GetFont(&font);
				font.SetFamilyAndStyle(op.family.c_str(), op.style.c_str());
				font.SetSize(op.fontSize);
				view->SetFont(&font);
				view->DrawString(op.text.data(), (int32)op.text.size(), op.points[0]);
				break;
			}
			case kPictureDrawBitmap:
			{
				BMessage archive(op.bitmap);
				BBitmap bitmap(&archive);
				if (bitmap.InitCheck() == B_OK)
					view->DrawBitmap(&bitmap, op.rects[0], op.rects[1]);
				break;
			}
			case kPictureStrokeRoundRect:
				view->StrokeRoundRect(op.rects[0], op.values[0], op.values[1], op.fill);
				break;
			case kPictureFillRoundRect:
				view->FillRoundRect(op.rects[0], op.values[0], op.values[1], op.fill);
				break;
			case kPictureStrokeArc:
				view->StrokeArc(op.rects[0], op.values[0], op.values[1], op.fill);
				break;
			case kPictureFillArc:
				view->FillArc(op.rects[0], op.values[0], op.values[1], op.fill);
				break;
			case kPictureStrokeBezier:
			{
				BPoint points[4] = { op.polygon[0], op.polygon[1], op.polygon[2],
					op.polygon[3] };
				view->StrokeBezier(points, op.fill);
				break;
			}
			case kPictureFillBezier:
			{
				BPoint points[4] = { op.polygon[0], op.polygon[1], op.polygon[2],
					op.polygon[3] };
				view->FillBezier(points, op.fill);
				break;
			}
			case kPictureStrokeShape:
			{
				BShape shape(op.shape);
				view->StrokeShape(&shape, op.fill);
				break;
			}
			case kPictureFillShape:
			{
				BShape shape(op.shape);
				view->FillShape(&shape, op.fill);
				break;
			}
			case kPictureFillRegion:
			{
				BRegion region;
				for (const BRect& rect : op.regionRects)
					region.Include(rect);
				view->FillRegion(&region, op.fill);
				break;
			}
		}
	});
	view->PopState();
}


void
PictureData::PaintCoverage(Painter& painter, BPoint where) const
{
	Paint(painter, where, true);
}


void
PictureData::Paint(Painter& painter, BPoint where, bool coverage) const
{
	ForEach([&painter, where, coverage](const PictureOp& op) {
		DrawState state = op.state;
		state.origin = where;
		pattern fill = op.fill;
		if (coverage) {
			// Coverage is all that counts; a mode that leaves pixels alone would hide
			// it.
			state.drawingMode = B_OP_COPY;
			state.highColor = state.lowColor = make_color(0, 0, 0);
			fill = B_SOLID_HIGH;
		}
		switch (op.code) {
			case kPictureStrokeLine:
				painter.StrokeLine(state, op.points[0], op.points[1], fill);
				break;
			case kPictureStrokeRect:
				painter.StrokeRect(state, op.rects[0], fill);
				break;
			case kPictureFillRect:
				painter.FillRect(state, op.rects[0], fill);
				break;
			case kPictureInvertRect:
				if (coverage)
					painter.FillRect(state, op.rects[0], fill);
				else
					painter.InvertRect(state, op.rects[0]);
				break;
			case kPictureStrokeEllipse:
				painter.StrokeEllipse(state, op.rects[0], fill);
				break;
			case kPictureFillEllipse:
				painter.FillEllipse(state, op.rects[0], fill);
				break;
			case kPictureStrokePolygon:
				painter.StrokePolygon(state, op.polygon.data(), (int32)op.polygon.size(),
					op.closed, fill);
				break;
			case kPictureFillPolygon:
				painter.FillPolygon(state, op.polygon.data(), (int32)op.polygon.size(),
					fill);
				break;
			case kPictureDrawString:
				state.font.SetFamilyAndStyle(op.family.c_str(), op.style.c_str());
				state.font.SetSize(op.fontSize);
				state.aliasedText = state.aliasedText || coverage;
				painter.DrawString(state, op.text.data(), (int32)op.text.size(),
					op.points[0]);
				break;
			case kPictureDrawBitmap:
			{
				if (coverage) {
					painter.FillRect(state, op.rects[1], fill);
					break;
				}
				BMessage archive(op.bitmap);
				BBitmap bitmap(&archive);
				if (bitmap.InitCheck() == B_OK)
					painter.DrawBitmap(state, &bitmap, op.rects[0], op.rects[1]);
				break;
			}
			case kPictureStrokeRoundRect:
				painter.StrokeRoundRect(state, op.rects[0], op.values[0], op.values[1],
					fill);
				break;
			case kPictureFillRoundRect:
				painter.FillRoundRect(state, op.rects[0], op.values[0], op.values[1],
					fill);
				break;
			case kPictureStrokeArc:
				painter.StrokeArc(state, op.rects[0], op.values[0], op.values[1],
					fill);
				break;
			case kPictureFillArc:
				painter.FillArc(state, op.rects[0], op.values[0], op.values[1],
					fill);
				break;
			case kPictureStrokeBezier:
				painter.StrokeBezier(state, op.polygon.data(), fill);
				break;
			case kPictureFillBezier:
				painter.FillBezier(state, op.polygon.data(), fill);
				break;
			case kPictureStrokeShape:
				painter.StrokeShape(state, op.shape, fill);
				break;
			case kPictureFillShape:
				painter.FillShape(state, op.shape, fill);
				break;
			case kPictureFillRegion:
				for (const BRect& rect : op.regionRects)
					painter.FillRect(state, rect, fill);
				break;
		}
	});
}


status_t
PictureData::Flatten(std::vector<uint8>& out) const
{
	out.clear();
	Writer writer(out);
	writer.UInt32(kMagic);
	writer.UInt32(kVersion);
	writer.UInt32(fCount);
	writer.UInt32((uint32)fBytes.size());
	writer.Raw(fBytes.data(), fBytes.size());
	return B_OK;
}


status_t
PictureData::Flatten(BDataIO* stream) const
{
	if (stream == NULL)
		return B_BAD_VALUE;
	std::vector<uint8> flat;
	Flatten(flat);
	ssize_t written = stream->Write(flat.data(), flat.size());
	if (written < 0)
		return (status_t)written;
	return (size_t)written == flat.size() ? B_OK : B_IO_ERROR;
}


status_t
PictureData::Unflatten(const void* data, size_t size)
{
	if (data == NULL || size < kHeaderSize)
		return B_BAD_DATA;
	Reader reader((const uint8*)data, size);
	uint32 magic = reader.UInt32();
	uint32 version = reader.UInt32();
	uint32 count = reader.UInt32();
	uint32 length = reader.UInt32();
	if (magic != kMagic || version != kVersion || count > kMaxOps || length > kMaxSize
		|| length != reader.Left()) {
		return B_BAD_DATA;
	}
	PictureData decoded;
	const uint8* ops = reader.Skip(length);
	decoded.fBytes.assign(ops, ops + length);
	decoded.fCount = count;
	status_t status = decoded.ForEach([](const PictureOp&) {});
	if (status != B_OK)
		return status;
	*this = std::move(decoded);
	return B_OK;
}


status_t
PictureData::Unflatten(BDataIO* stream)
{
	if (stream == NULL)
		return B_BAD_VALUE;
	uint8 header[kHeaderSize];
	status_t status = read_all(stream, header, sizeof(header));
	if (status != B_OK)
		return B_BAD_DATA;
	uint32 length;
	memcpy(&length, header + 12, sizeof(length));
	length = le32toh(length);
	// The length is checked before anything of that size is allocated.
	if (length > kMaxSize)
		return B_BAD_DATA;
	std::vector<uint8> flat(kHeaderSize + length);
	memcpy(flat.data(), header, kHeaderSize);
	if (read_all(stream, flat.data() + kHeaderSize, length) != B_OK)
		return B_BAD_DATA;
	return Unflatten(flat.data(), flat.size());
}

} // namespace BPrivate

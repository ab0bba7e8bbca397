#include <TranslationUtils.h>

#include <Bitmap.h>
#include <BitmapStream.h>
#include <File.h>
#include <Menu.h>
#include <MenuItem.h>
#include <Message.h>
#include <NodeInfo.h>
#include <Resources.h>
#include <TextView.h>
#include <TranslatorFormats.h>
#include <TranslatorRoster.h>

#include "interface/RunArrayFormat.h"

#include <stdlib.h>
#include <string.h>

#include <vector>

namespace {

// The application's own executable, whose resources GetBitmap reads.
const char* const kOwnExecutable = "/proc/self/exe";
// StyledEdit's attributes of a text file.
const char kStylesAttribute[] = "styles";
const char kAlignmentAttribute[] = "alignment";
const char kWrapAttribute[] = "wrap";
// A "styles" attribute larger than this is refused as damaged.
const off_t kMaxStylesSize = 16 * 1024 * 1024;
const size_t kRecordHeaderSize = 12;
const size_t kStreamHeaderSize = kRecordHeaderSize + 4;
const size_t kTextHeaderSize = kRecordHeaderSize + 4;
const size_t kStyleHeaderSize = kRecordHeaderSize + 8;
const int32 kStreamVersion = 100;


BTranslatorRoster*
roster_or_default(BTranslatorRoster* use)
{
	return use != NULL ? use : BTranslatorRoster::Default();
}


BBitmap*
bitmap_from_memory(const void* data, size_t size, BTranslatorRoster* use)
{
	if (data == NULL)
		return NULL;
	BMemoryIO stream(data, size);
	return BTranslationUtils::GetBitmap(&stream, use);
}

uint32
read_big32(const uint8* bytes)
{
	return (uint32)bytes[0] << 24 | (uint32)bytes[1] << 16 | (uint32)bytes[2] << 8 | bytes[3];
}


void
append_big32(std::vector<uint8>* data, uint32 value)
{
	for (int shift = 24; shift >= 0; shift -= 8)
		data->push_back((uint8)(value >> shift));
}


// The text and the style data of a styled text stream; records it does not know are
// passed over. Every length is checked against the stream.
status_t
read_styled_stream(const uint8* data, size_t length, const uint8** text, size_t* textLength,
	const uint8** style, size_t* styleLength)
{
	if (length < kStreamHeaderSize || read_big32(data) != B_STYLED_TEXT_FORMAT
		|| read_big32(data + 4) < kStreamHeaderSize || read_big32(data + 4) > length)
		return B_BAD_DATA;
	*text = *style = NULL;
	*textLength = *styleLength = 0;
	size_t position = read_big32(data + 4);
	while (length - position >= kRecordHeaderSize) {
		const uint8* record = data + position;
		uint32 magic = read_big32(record);
		size_t headerSize = read_big32(record + 4);
		size_t dataSize = read_big32(record + 8);
		if (headerSize < kRecordHeaderSize || headerSize > length - position
			|| dataSize > length - position - headerSize)
			return B_BAD_DATA;
		if (magic == TranslatorStyledTextTextHeader::TEXT_HEADER_MAGIC && *text == NULL) {
			*text = record + headerSize;
			*textLength = dataSize;
		} else if (magic == TranslatorStyledTextStyleHeader::STYLE_HEADER_MAGIC
			&& *style == NULL) {
			*style = record + headerSize;
			*styleLength = dataSize;
		}
		position += headerSize + dataSize;
	}
	return *text != NULL ? B_OK : B_BAD_DATA;
}


// The runs StyledEdit keeps beside the text of a file.
text_run_array*
styles_of_file(BPositionIO* stream)
{
	BNode* node = dynamic_cast<BNode*>(stream);
	attr_info info;
	if (node == NULL || node->GetAttrInfo(kStylesAttribute, &info) != B_OK
		|| info.size <= 0 || info.size > kMaxStylesSize)
		return NULL;
	std::vector<uint8> data(info.size);
	ssize_t read = node->ReadAttr(kStylesAttribute, info.type, 0, data.data(), data.size());
	if (read != info.size)
		return NULL;
	return BPrivate::unflatten_run_array(data.data(), data.size());
}

} // namespace


BBitmap*
BTranslationUtils::GetBitmap(const char* name, BTranslatorRoster* use)
{
	if (name == NULL)
		return NULL;
	BBitmap* bitmap = GetBitmap(B_TRANSLATOR_BITMAP, name, use);
	if (bitmap != NULL)
		return bitmap;
	// A resource of that name and another type (an image kept in its own format).
	BFile file(kOwnExecutable, B_READ_ONLY);
	BResources resources;
	if (resources.SetTo(&file) == B_OK) {
		int32 id;
		type_code type;
		const char* found;
		for (int32 i = 0; resources.GetResourceInfo(i, &type, &id, &found, NULL); i++) {
			if (found == NULL || strcmp(found, name) != 0)
				continue;
			size_t size = 0;
			const void* data = resources.LoadResource(type, id, &size);
			if ((bitmap = bitmap_from_memory(data, size, use)) != NULL)
				return bitmap;
		}
	}
	return GetBitmapFile(name, use);
}


BBitmap*
BTranslationUtils::GetBitmap(uint32 type, int32 id, BTranslatorRoster* use)
{
	BFile file(kOwnExecutable, B_READ_ONLY);
	BResources resources;
	if (resources.SetTo(&file) != B_OK)
		return NULL;
	size_t size = 0;
	const void* data = resources.LoadResource(type, id, &size);
	return bitmap_from_memory(data, size, use);
}


BBitmap*
BTranslationUtils::GetBitmap(uint32 type, const char* name, BTranslatorRoster* use)
{
	if (name == NULL)
		return NULL;
	BFile file(kOwnExecutable, B_READ_ONLY);
	BResources resources;
	if (resources.SetTo(&file) != B_OK)
		return NULL;
	size_t size = 0;
	const void* data = resources.LoadResource(type, name, &size);
	return bitmap_from_memory(data, size, use);
}


BBitmap*
BTranslationUtils::GetBitmapFile(const char* name, BTranslatorRoster* use)
{
	if (name == NULL)
		return NULL;
	BFile file(name, B_READ_ONLY);
	if (file.InitCheck() != B_OK)
		return NULL;
	return GetBitmap(&file, use);
}


BBitmap*
BTranslationUtils::GetBitmap(const entry_ref* ref, BTranslatorRoster* use)
{
	if (ref == NULL)
		return NULL;
	BFile file(ref, B_READ_ONLY);
	if (file.InitCheck() != B_OK)
		return NULL;
	return GetBitmap(&file, use);
}


BBitmap*
BTranslationUtils::GetBitmap(BPositionIO* stream, BTranslatorRoster* use)
{
	if (stream == NULL)
		return NULL;
	BBitmapStream bitmapStream;
	if (roster_or_default(use)->Translate(stream, NULL, NULL, &bitmapStream,
			B_TRANSLATOR_BITMAP) != B_OK)
		return NULL;
	BBitmap* bitmap = NULL;
	if (bitmapStream.DetachBitmap(&bitmap) != B_OK)
		return NULL;
	return bitmap;
}


BMessage*
BTranslationUtils::GetDefaultSettings(translator_id translator, BTranslatorRoster* use)
{
	BMessage* settings = new BMessage;
	if (roster_or_default(use)->GetConfigurationMessage(translator, settings) != B_OK) {
		delete settings;
		return NULL;
	}
	return settings;
}


BMessage*
BTranslationUtils::GetDefaultSettings(const char* translatorName, int32 version)
{
	if (translatorName == NULL)
		return NULL;
	BTranslatorRoster* roster = BTranslatorRoster::Default();
	translator_id* ids = NULL;
	int32 count = 0;
	if (roster->GetAllTranslators(&ids, &count) != B_OK)
		return NULL;
	BMessage* settings = NULL;
	for (int32 i = 0; i < count && settings == NULL; i++) {
		const char* name;
		int32 translatorVersion;
		if (roster->GetTranslatorInfo(ids[i], &name, NULL, &translatorVersion) == B_OK
			&& strcmp(name, translatorName) == 0 && translatorVersion == version)
			settings = GetDefaultSettings(ids[i], roster);
	}
	delete[] ids;
	return settings;
}


status_t
BTranslationUtils::AddTranslationItems(BMenu* intoMenu, uint32 fromType,
	const BMessage* model, const char* translatorIdName, const char* translatorTypeName,
	BTranslatorRoster* use)
{
	if (intoMenu == NULL)
		return B_BAD_VALUE;
	if (translatorIdName == NULL)
		translatorIdName = "be:translator";
	if (translatorTypeName == NULL)
		translatorTypeName = "be:type";
	BTranslatorRoster* roster = roster_or_default(use);
	translator_id* ids = NULL;
	int32 count = 0;
	status_t status = roster->GetAllTranslators(&ids, &count);
	if (status != B_OK)
		return status;
	for (int32 i = 0; i < count; i++) {
		const translation_format* inputs;
		const translation_format* outputs;
		int32 inputCount, outputCount;
		if (roster->GetInputFormats(ids[i], &inputs, &inputCount) != B_OK
			|| roster->GetOutputFormats(ids[i], &outputs, &outputCount) != B_OK)
			continue;
		// The translator must read fromType; it offers the other formats of that group.
		uint32 group = 0;
		for (int32 j = 0; j < inputCount; j++) {
			if (inputs[j].type == fromType)
				group = inputs[j].group;
		}
		if (group == 0)
			continue;
		for (int32 j = 0; j < outputCount; j++) {
			if (outputs[j].type == fromType || outputs[j].group != group)
				continue;
			BMessage* message = model != NULL ? new BMessage(*model)
				: new BMessage(B_TRANSLATION_MENU);
			message->AddInt32(translatorIdName, (int32)ids[i]);
			message->AddInt32(translatorTypeName, (int32)outputs[j].type);
			intoMenu->AddItem(new BMenuItem(outputs[j].name, message));
		}
	}
	delete[] ids;
	return B_OK;
}


status_t
BTranslationUtils::GetStyledText(BPositionIO* fromStream, BTextView* intoView,
	BTranslatorRoster* use)
{
	if (fromStream == NULL || intoView == NULL)
		return B_BAD_VALUE;
	BMallocIO stream;
	status_t status = roster_or_default(use)->Translate(fromStream, NULL, NULL, &stream,
		B_STYLED_TEXT_FORMAT);
	if (status != B_OK)
		return status;
	const uint8* text;
	const uint8* style;
	size_t textLength, styleLength;
	status = read_styled_stream(static_cast<const uint8*>(stream.Buffer()),
		stream.BufferLength(), &text, &textLength, &style, &styleLength);
	if (status != B_OK)
		return status;
	if (textLength > (size_t)INT32_MAX)
		return B_NO_MEMORY;
	text_run_array* runs = style != NULL
		? BPrivate::unflatten_run_array(style, styleLength) : styles_of_file(fromStream);

	int32 start, end;
	intoView->GetSelection(&start, &end);
	intoView->Delete(start, end);
	intoView->Insert(start, reinterpret_cast<const char*>(text), (int32)textLength, runs);
	free(runs);
	return B_OK;
}


status_t
BTranslationUtils::PutStyledText(BTextView* fromView, BPositionIO* intoStream,
	BTranslatorRoster* use)
{
	if (fromView == NULL || intoStream == NULL)
		return B_BAD_VALUE;
	int32 textLength = fromView->TextLength();
	int32 styleLength = 0;
	text_run_array* runs = fromView->RunArray(0, textLength);
	void* style = runs != NULL ? BTextView::FlattenRunArray(runs, &styleLength) : NULL;
	free(runs);

	std::vector<uint8> headers;
	append_big32(&headers, B_STYLED_TEXT_FORMAT);
	append_big32(&headers, kStreamHeaderSize);
	append_big32(&headers, 0);
	append_big32(&headers, kStreamVersion);
	append_big32(&headers, TranslatorStyledTextTextHeader::TEXT_HEADER_MAGIC);
	append_big32(&headers, kTextHeaderSize);
	append_big32(&headers, (uint32)textLength);
	append_big32(&headers, B_UNICODE_UTF8);
	status_t status = intoStream->Write(headers.data(), headers.size())
		== (ssize_t)headers.size() ? B_OK : B_IO_ERROR;
	if (status == B_OK
		&& intoStream->Write(fromView->Text(), textLength) != (ssize_t)textLength)
		status = B_IO_ERROR;
	if (status == B_OK && style != NULL) {
		headers.clear();
		append_big32(&headers, TranslatorStyledTextStyleHeader::STYLE_HEADER_MAGIC);
		append_big32(&headers, kStyleHeaderSize);
		append_big32(&headers, (uint32)styleLength);
		append_big32(&headers, 0);
		append_big32(&headers, (uint32)textLength);
		if (intoStream->Write(headers.data(), headers.size()) != (ssize_t)headers.size()
			|| intoStream->Write(style, styleLength) != (ssize_t)styleLength)
			status = B_IO_ERROR;
	}
	free(style);
	return status;
}


status_t
BTranslationUtils::WriteStyledEditFile(BTextView* fromView, BFile* intoFile)
{
	if (fromView == NULL || intoFile == NULL)
		return B_BAD_VALUE;
	status_t status = intoFile->InitCheck();
	if (status == B_OK)
		status = intoFile->SetSize(0);
	if (status != B_OK)
		return status;
	int32 textLength = fromView->TextLength();
	ssize_t written = intoFile->WriteAt(0, fromView->Text(), textLength);
	if (written != (ssize_t)textLength)
		return written < 0 ? (status_t)written : B_IO_ERROR;

	BNodeInfo info(intoFile);
	status = info.SetType("text/plain");
	if (status != B_OK)
		return status;
	int32 alignment = fromView->Alignment();
	written = intoFile->WriteAttr(kAlignmentAttribute, B_INT32_TYPE, 0, &alignment,
		sizeof(alignment));
	bool wrap = fromView->DoesWordWrap();
	if (written >= 0)
		written = intoFile->WriteAttr(kWrapAttribute, B_BOOL_TYPE, 0, &wrap, sizeof(wrap));
	if (written < 0)
		return (status_t)written;

	text_run_array* runs = fromView->RunArray(0, textLength);
	if (runs == NULL) {
		status = intoFile->RemoveAttr(kStylesAttribute);
		return status == B_ENTRY_NOT_FOUND ? B_OK : status;
	}
	int32 size;
	void* flat = BTextView::FlattenRunArray(runs, &size);
	free(runs);
	if (flat == NULL)
		return B_NO_MEMORY;
	written = intoFile->WriteAttr(kStylesAttribute, B_RAW_TYPE, 0, flat, size);
	free(flat);
	return written < 0 ? (status_t)written : B_OK;
}

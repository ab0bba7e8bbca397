#include <TranslationUtils.h>

#include <Bitmap.h>
#include <BitmapStream.h>
#include <File.h>
#include <Menu.h>
#include <MenuItem.h>
#include <Message.h>
#include <Resources.h>
#include <TranslatorFormats.h>
#include <TranslatorRoster.h>

#include <string.h>

namespace {

// The application's own executable, whose resources GetBitmap reads.
const char* const kOwnExecutable = "/proc/self/exe";


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

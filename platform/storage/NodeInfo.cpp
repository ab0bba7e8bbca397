// BNodeInfo's type, preferred application and application hint: string attributes of the
// node (docs/node-attributes.md). The icons are in interface/NodeInfoIcon.cpp, beside the
// bitmaps they need.
#include <NodeInfo.h>

#include <Path.h>

#include "storage/MimeTypeName.h"

#include <string.h>

namespace {

const char kTypeAttribute[] = "BEOS:TYPE";
const char kPreferredAppAttribute[] = "BEOS:PREF_APP";
const char kAppHintAttribute[] = "BEOS:PPATH";

} // namespace


BNodeInfo::BNodeInfo()
	:
	fNode(NULL),
	fCStatus(B_NO_INIT)
{
}


BNodeInfo::BNodeInfo(BNode* node)
	:
	fNode(NULL),
	fCStatus(B_NO_INIT)
{
	SetTo(node);
}


BNodeInfo::~BNodeInfo()
{
}


status_t
BNodeInfo::SetTo(BNode* node)
{
	fNode = NULL;
	fCStatus = node == NULL ? B_BAD_VALUE : node->InitCheck();
	if (fCStatus == B_OK)
		fNode = node;
	return fCStatus;
}


status_t
BNodeInfo::InitCheck() const
{
	return fCStatus;
}


status_t
BNodeInfo::GetType(char* type) const
{
	return _GetString(kTypeAttribute, type, B_MIME_TYPE_LENGTH);
}


status_t
BNodeInfo::SetType(const char* type)
{
	if (type != NULL && !BPrivate::is_valid_mime_type(type))
		return B_BAD_VALUE;
	return _SetString(kTypeAttribute, type);
}


status_t
BNodeInfo::GetPreferredApp(char* signature, app_verb verb) const
{
	if (verb != B_OPEN)
		return B_BAD_VALUE;
	return _GetString(kPreferredAppAttribute, signature, B_MIME_TYPE_LENGTH);
}


status_t
BNodeInfo::SetPreferredApp(const char* signature, app_verb verb)
{
	if (verb != B_OPEN || (signature != NULL && !BPrivate::is_valid_mime_type(signature)))
		return B_BAD_VALUE;
	return _SetString(kPreferredAppAttribute, signature);
}


status_t
BNodeInfo::GetAppHint(entry_ref* ref) const
{
	if (ref == NULL)
		return B_BAD_VALUE;
	char path[B_PATH_NAME_LENGTH];
	status_t status = _GetString(kAppHintAttribute, path, sizeof(path));
	if (status != B_OK)
		return status;
	return get_ref_for_path(path, ref);
}


status_t
BNodeInfo::SetAppHint(const entry_ref* ref)
{
	if (ref == NULL)
		return _SetString(kAppHintAttribute, NULL);
	BPath path(ref);
	if (path.InitCheck() != B_OK)
		return path.InitCheck();
	return _SetString(kAppHintAttribute, path.Path());
}


status_t
BNodeInfo::_GetString(const char* attribute, char* value, size_t size) const
{
	if (value == NULL)
		return B_BAD_VALUE;
	if (fCStatus != B_OK)
		return B_NO_INIT;
	attr_info info;
	status_t status = fNode->GetAttrInfo(attribute, &info);
	if (status != B_OK)
		return status;
	if (info.type != B_MIME_STRING_TYPE || info.size < 1 || (size_t)info.size > size)
		return B_BAD_DATA;
	ssize_t read = fNode->ReadAttr(attribute, B_MIME_STRING_TYPE, 0, value, info.size);
	if (read < 0)
		return read;
	// Only a string that ends inside the attribute is handed out.
	if (read != info.size || value[read - 1] != '\0') {
		value[0] = '\0';
		return B_BAD_DATA;
	}
	return B_OK;
}


status_t
BNodeInfo::_SetString(const char* attribute, const char* value)
{
	if (fCStatus != B_OK)
		return B_NO_INIT;
	if (value == NULL) {
		status_t status = fNode->RemoveAttr(attribute);
		return status == B_ENTRY_NOT_FOUND ? B_OK : status;
	}
	ssize_t written = fNode->WriteAttr(attribute, B_MIME_STRING_TYPE, 0, value,
		strlen(value) + 1);
	return written < 0 ? written : B_OK;
}

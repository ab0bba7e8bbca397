// What a node says about itself for the desktop: its MIME type, its icons, the application
// that prefers to open it and where that application is. Each is an attribute of the node
// (docs/node-attributes.md): the node must be on a file system that keeps them.
#ifndef _NODE_INFO_H
#define _NODE_INFO_H

#include <Entry.h>
#include <File.h>
#include <Mime.h>
#include <Node.h>

class BBitmap;

class BNodeInfo {
public:
								BNodeInfo();
	// The node stays the caller's and must outlive the BNodeInfo.
								BNodeInfo(BNode* node);
	virtual						~BNodeInfo();

			status_t			SetTo(BNode* node);
			status_t			InitCheck() const;

	// type holds B_MIME_TYPE_LENGTH bytes. Setting NULL removes the type.
	virtual	status_t			GetType(char* type) const;
	virtual	status_t			SetType(const char* type);
	// Icons are kept in 8-bit colour (the kit's system palette); icon must be a bitmap of
	// which x which pixels, in any colour space the kit converts. Setting NULL removes it.
	virtual	status_t			GetIcon(BBitmap* icon, icon_size which = B_LARGE_ICON) const;
	virtual	status_t			SetIcon(const BBitmap* icon, icon_size which = B_LARGE_ICON);
	// The icon the desktop shows for the node: its own, else the one its type's preferred
	// application shows for the type, its type's, its supertype's, the one installed for
	// its kind (file, folder, link, application), else the kit's own for the kind.
			status_t			GetTrackerIcon(BBitmap* icon,
									icon_size which = B_LARGE_ICON) const;
	static	status_t			GetTrackerIcon(const entry_ref* ref, BBitmap* icon,
									icon_size which = B_LARGE_ICON);
			status_t			GetPreferredApp(char* signature,
									app_verb verb = B_OPEN) const;
			status_t			SetPreferredApp(const char* signature,
									app_verb verb = B_OPEN);
			status_t			GetAppHint(entry_ref* ref) const;
			status_t			SetAppHint(const entry_ref* ref);

private:
								BNodeInfo(const BNodeInfo&);
			BNodeInfo&			operator=(const BNodeInfo&);

			status_t			_GetString(const char* attribute, char* value,
									size_t size) const;
			status_t			_SetString(const char* attribute, const char* value);

			BNode*				fNode;
			status_t			fCStatus;
};

#endif // _NODE_INFO_H

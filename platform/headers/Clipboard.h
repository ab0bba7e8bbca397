// A clipboard shared by the applications of the user: a BMessage of typed data ("text/plain"
// as B_MIME_TYPE data by convention) that one application commits and the others read.
// be_clipboard, the system clipboard, exists while the application does.
//
//	if (be_clipboard->Lock()) {
//		be_clipboard->Clear();
//		be_clipboard->Data()->AddData("text/plain", B_MIME_TYPE, text, strlen(text));
//		be_clipboard->Commit();
//		be_clipboard->Unlock();
//	}
//
// Data() may be read and changed only while the clipboard is locked; Lock() fetches what
// was last committed. Any thread may use a clipboard; the lock serialises them.
#ifndef _CLIPBOARD_H
#define _CLIPBOARD_H

#include <AppDefs.h>
#include <BeBuild.h>
#include <Locker.h>
#include <Messenger.h>

class BMessage;

class BClipboard {
public:
	// Clipboards of the same name are one clipboard, in every application of the user.
	// A transient clipboard is kept as long as any application uses it; the kit keeps
	// every clipboard until the user's session ends.
	BClipboard(const char* name, bool transient = false);
	virtual ~BClipboard();

	const char* Name() const;

	// The change count of the data this object last fetched, and that of the data last
	// committed by anyone.
	uint32 LocalCount() const;
	uint32 SystemCount() const;

	status_t StartWatching(BMessenger target);
	status_t StopWatching(BMessenger target);

	bool Lock();
	void Unlock();
	bool IsLocked() const;

	// Empties the data (the lock is needed); nothing changes for others until Commit().
	status_t Clear();
	// Publishes the data. With failIfChanged, fails with B_ERROR when someone committed
	// since this object last fetched.
	status_t Commit();
	status_t Commit(bool failIfChanged);
	// Fetches the committed data again, dropping uncommitted changes.
	status_t Revert();

	// The application that committed the data.
	BMessenger DataSource() const;
	// The data; owned by the clipboard. NULL unless the clipboard is locked.
	BMessage* Data() const;

private:
	BClipboard(const BClipboard&) = delete;
	BClipboard& operator=(const BClipboard&) = delete;

	status_t _Download();

	char* fName;
	BMessage* fData;
	BMessenger fDataSource;
	mutable BLocker fLock;
	uint32 fCount;
};

extern BClipboard* be_clipboard;

#endif // _CLIPBOARD_H

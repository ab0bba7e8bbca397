// The application object: the looper of the main thread, registered with the roster
// under its signature from construction until its destruction. Run runs the loop on
// the calling thread; the arguments reach ArgvReceived before ReadyToRun. SIGTERM and
// SIGINT arrive as B_QUIT_REQUESTED. The application's handler name is its signature.
#ifndef _APPLICATION_H
#define _APPLICATION_H

#include <AppDefs.h>
#include <InterfaceDefs.h>
#include <Looper.h>
#include <Messenger.h>
#include <Point.h>
#include <Rect.h>

struct app_info;
class BCursor;
class BMessageRunner;
class BResources;
class BWindow;

class BApplication : public BLooper {
public:
	BApplication(const char* signature);
	BApplication(const char* signature, status_t* error);
	// An application from its archive: its signature ("mime_sig") and pulse rate. It is
	// a whole application, registered with the roster as one made with the signature.
	BApplication(BMessage* archive);
	virtual ~BApplication();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* archive, bool deep = true) const;

	status_t InitCheck() const;

	virtual thread_id Run();
	virtual void Quit();
	// Asks every window to quit (QuitRequested, then Quit); false when one refuses.
	virtual bool QuitRequested();
	virtual void ReadyToRun();
	virtual void ArgvReceived(int32 argc, char** argv);
	virtual void RefsReceived(BMessage* message);
	virtual void AboutRequested();
	// Called on the application's thread every pulse (B_PULSE), kPulseRate by default
	// from Run on; SetPulseRate(0) stops the pulses.
	virtual void Pulse();
	void SetPulseRate(bigtime_t rate);
	// Called with B_APP_ACTIVATED, when the application becomes (or stops being) the
	// active one.
	virtual void AppActivated(bool active);
	// The resources of the application's executable, opened read-only on first use and
	// kept by the kit; NULL when the file cannot be read.
	static BResources* AppResources();
	virtual void MessageReceived(BMessage* message);
	virtual void DispatchMessage(BMessage* message, BHandler* handler);

	// The pointer's look over the application's windows (a view's own cursor aside):
	// the platform's 68-byte cursor data (B_HAND_CURSOR ...), or a BCursor, shown
	// once the display shows it when sync is true. HideCursor() hides it over every
	// window of the application until ShowCursor(); ObscureCursor() until the pointer
	// next moves.
	void SetCursor(const void* cursor);
	void SetCursor(const BCursor* cursor, bool sync = true);
	void ShowCursor();
	void HideCursor();
	void ObscureCursor();
	bool IsCursorHidden() const;

	bool IsLaunching() const;
	status_t GetAppInfo(app_info* info) const;

	int32 CountWindows() const;
	BWindow* WindowAt(int32 index) const;
	int32 CountLoopers() const;
	BLooper* LooperAt(int32 index) const;

	virtual BHandler* ResolveSpecifier(BMessage* message, int32 index, BMessage* specifier,
		int32 form, const char* property);
	virtual status_t GetSupportedSuites(BMessage* data);

private:
	void _Init(const char* signature);
	status_t _Register();

	status_t fInitError;
	bool fReadyToRunCalled;
	bigtime_t fPulseRate;
	BMessageRunner* fPulseRunner;
};

extern BApplication* be_app;
extern BMessenger be_app_messenger;

#endif // _APPLICATION_H

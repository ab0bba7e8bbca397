// The program's application object. It decides at start-up which applications to analyse
// (those named on the command line, else every running one), prints each analysed tree to
// standard output, takes the finished nodes from the analyses, and follows the roster's
// launch and quit notices. Everything here runs on the main thread.
#ifndef QUORVANE_APP_H
#define QUORVANE_APP_H

#include <Application.h>
#include <List.h>

extern const char* kQuorvaneSignature;
extern const char* kQuorvaneVersion;


class QuorvaneApp : public BApplication {
public:
							QuorvaneApp(const char* signature);
	virtual					~QuorvaneApp();

	virtual	void			MessageReceived(BMessage* message);
	virtual	bool			QuitRequested();
	virtual	void			ReadyToRun();
	virtual	void			ArgvReceived(int32 argc, char** argv);

private:
			void			_ApplicationQuit(const char* signature);

			bool			fArgumentsAnalysed;
	// The finished application nodes, owned here. The browser window takes them over
	// when present.
			BList			fApplications;
};

#endif // QUORVANE_APP_H

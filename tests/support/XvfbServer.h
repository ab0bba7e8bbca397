// A private X server (Xvfb) for tests that need a real display.
#ifndef _XVFB_SERVER_H
#define _XVFB_SERVER_H

#include <SupportDefs.h>

#include <string>

// Starts Xvfb on a free display number and stops it on destruction; the server also
// goes when the process that started it dies.
class XvfbServer {
public:
								XvfbServer();
								~XvfbServer();

			// B_OK once the server accepts connections (waits at most 10 seconds).
			status_t			Start(int width = 1024, int height = 768);
			void				Stop();

			// ":<number>", the value for $DISPLAY.
			const std::string&	Name() const { return fName; }

private:
			pid_t				fPid;
			std::string			fName;
};

#endif // _XVFB_SERVER_H

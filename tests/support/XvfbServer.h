// A private X server (Xvfb) for tests that need a real display.
#ifndef _XVFB_SERVER_H
#define _XVFB_SERVER_H

#include <SupportDefs.h>

#include <string>

// Starts Xvfb on the first free display number from 90 up and stops it on destruction.
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

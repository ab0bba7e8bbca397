// SIGTERM and SIGINT as events: the handler only writes a byte to a pipe, whose reading
// end a thread watches and turns into a quit request.
#ifndef _QUIT_SIGNALS_H
#define _QUIT_SIGNALS_H

namespace BPrivate {

// Installs the handlers once and returns the pipe's reading end (non-blocking), or -1.
int quit_signals_install();
// Empties the pipe; the number of the last signal that had arrived, or 0.
int quit_signals_drain(int fd);
// Ends the process by signalNumber as if no handler had been installed.
void quit_signals_end_process(int signalNumber);

} // namespace BPrivate

#endif // _QUIT_SIGNALS_H

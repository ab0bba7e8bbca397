// A print job: pages drawn by views, spooled one by one and committed as a PDF file
// (docs/printing.md). The kit has no print server and shows no panels: ConfigPage() and
// ConfigJob() complete the settings with their defaults, and the file the job writes is
// the settings' "file" (by default the job's name with .pdf, in the user's home folder).
// A job is used by one thread; DrawView() needs the view's window locked.
#ifndef _PRINTJOB_H
#define _PRINTJOB_H

#include <Picture.h>
#include <Rect.h>

#include <string>

class BMessage;
class BView;

namespace BPrivate {
struct PrintSpool;
}

class BPrintJob {
public:
	enum {
		B_BW_PRINTER = 0,
		B_COLOR_PRINTER
	};

							BPrintJob(const char* jobName);
	// Cancels a job that was begun and not committed.
	virtual					~BPrintJob();

	// Opens the job's file; CanContinue() says whether it could.
			void			BeginJob();
	// Writes out the spooled pages and closes the file.
			void			CommitJob();
	// Closes the file and removes it.
			void			CancelJob();
	// Complete the settings: paper and printable rectangles, resolution and
	// orientation (ConfigPage), and the page range and file (ConfigJob). B_OK.
			status_t		ConfigPage();
			status_t		ConfigJob();
	// Ends the current page; the next DrawView() draws on a new one.
			void			SpoolPage();
			bool			CanContinue();

	// Draws rect of view (view coordinates), with its children, on the current page
	// with rect's left top at where (page coordinates, in points from the paper's left
	// top). The view's Draw() runs on the calling thread with IsPrinting() true.
	virtual	void			DrawView(BView* view, BRect rect, BPoint where);

	// A copy of the settings, for the caller to delete; NULL before any.
			BMessage*		Settings();
	// Takes the message, which replaces the settings.
			void			SetSettings(BMessage* message);
			bool			IsSettingsMessageValid(BMessage* message) const;

	// In points (1/72 inch), from the paper's left top.
			BRect			PaperRect();
			BRect			PrintableRect();
			void			GetResolution(int32* xdpi, int32* ydpi);
	// The pages asked for: 1 to a large number when the settings name none.
			int32			FirstPage();
			int32			LastPage();
			int32			PrinterType(void* type = NULL) const;

private:
							BPrintJob(const BPrintJob&) = delete;
			BPrintJob&		operator=(const BPrintJob&) = delete;

			void			_CompleteSettings(bool forJob);
			void			_DrawTree(BView* view, BRect rect, BPicture* picture);

			std::string		fName;
			BMessage*		fSettings;
			// The open file and its pages, between BeginJob() and its end.
			BPrivate::PrintSpool* fSpool;
			bool			fCanContinue;
};

#endif // _PRINTJOB_H

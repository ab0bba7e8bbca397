// BPrintJob: each page is a page of a cairo PDF surface. A view prints by recording
// what its Draw() (and its children's) draws into a picture, which is then painted on
// the page with the drawing state it was recorded in; a point of the view is a point
// (1/72 inch) of the paper.
#include <PrintJob.h>

#include "interface/Painter.h"
#include "interface/PicturePrivate.h"
#include "interface/ViewPrivate.h"

#include <FindDirectory.h>
#include <Message.h>
#include <Path.h>
#include <View.h>
#include <Window.h>

#include <cairo-pdf.h>

#include <math.h>
#include <unistd.h>

namespace BPrivate {

struct PrintSpool {
	cairo_surface_t*	surface = NULL;
	std::string			path;
	bool				pageDrawn = false;
};

} // namespace BPrivate

namespace {

// US Letter, with a quarter of an inch of margin on every side, at 72 dots per inch.
const BRect kDefaultPaperRect(0, 0, 612, 792);
const float kDefaultMargin = 18;
const int32 kDefaultResolution = 72;
// The last page of a job that names no range.
const int32 kAllPages = INT32_MAX;


bool
is_page_rect(BRect rect)
{
	return isfinite(rect.left) && isfinite(rect.top) && isfinite(rect.right)
		&& isfinite(rect.bottom) && rect.IsValid() && rect.left >= 0 && rect.top >= 0;
}


int32
int32_or(const BMessage* message, const char* name, int32 fallback)
{
	int32 value;
	return message != NULL && message->FindInt32(name, &value) == B_OK ? value : fallback;
}


// The job's name as a file name: its slashes would name folders.
std::string
file_name_for(const std::string& name)
{
	std::string file = name.empty() ? "untitled" : name;
	for (char& c : file) {
		if (c == '/')
			c = '-';
	}
	if (file[0] == '.')
		file.insert(0, "_");
	return file + ".pdf";
}

} // namespace


BPrintJob::BPrintJob(const char* jobName)
	:
	fName(jobName != NULL ? jobName : ""),
	fSettings(NULL),
	fSpool(NULL),
	fCanContinue(true)
{
}


BPrintJob::~BPrintJob()
{
	if (fSpool != NULL)
		CancelJob();
	delete fSettings;
}


status_t
BPrintJob::ConfigPage()
{
	_CompleteSettings(false);
	return B_OK;
}


status_t
BPrintJob::ConfigJob()
{
	_CompleteSettings(true);
	return B_OK;
}


void
BPrintJob::_CompleteSettings(bool forJob)
{
	if (fSettings == NULL || !IsSettingsMessageValid(fSettings)) {
		delete fSettings;
		fSettings = new BMessage('pjob');
		fSettings->AddRect("paper_rect", kDefaultPaperRect);
		fSettings->AddRect("printable_rect", kDefaultPaperRect.InsetByCopy(kDefaultMargin,
			kDefaultMargin));
		fSettings->AddInt32("xres", kDefaultResolution);
		fSettings->AddInt32("yres", kDefaultResolution);
		fSettings->AddInt32("orientation", 0);
	}
	if (!forJob)
		return;
	if (!fSettings->HasInt32("first_page"))
		fSettings->AddInt32("first_page", 1);
	if (!fSettings->HasInt32("last_page"))
		fSettings->AddInt32("last_page", kAllPages);
	if (!fSettings->HasString("file")) {
		BPath home;
		std::string folder = find_directory(B_USER_DIRECTORY, &home) == B_OK
			? home.Path() : ".";
		fSettings->AddString("file", (folder + "/" + file_name_for(fName)).c_str());
	}
}


void
BPrintJob::BeginJob()
{
	if (fSpool != NULL)
		return;
	if (fSettings == NULL || !fSettings->HasString("file"))
		_CompleteSettings(true);
	BRect paper = PaperRect();
	fSpool = new BPrivate::PrintSpool;
	const char* path = "";
	fSettings->FindString("file", &path);
	fSpool->path = path;
	fSpool->surface = cairo_pdf_surface_create(fSpool->path.c_str(), paper.Width(),
		paper.Height());
	cairo_pdf_surface_set_metadata(fSpool->surface, CAIRO_PDF_METADATA_TITLE,
		fName.c_str());
	fCanContinue = cairo_surface_status(fSpool->surface) == CAIRO_STATUS_SUCCESS;
}


void
BPrintJob::DrawView(BView* view, BRect rect, BPoint where)
{
	if (fSpool == NULL || view == NULL || !rect.IsValid() || !CanContinue())
		return;
	BPicture picture;
	_DrawTree(view, rect, &picture);
	BPrivate::Painter painter(fSpool->surface);
	BRect clip = rect.OffsetToCopy(where);
	painter.SetView(where - rect.LeftTop(), clip);
	BPicture::Private::Data(&picture).Paint(painter, B_ORIGIN);
	fSpool->pageDrawn = true;
}


// Records rect of view (view coordinates) and of its shown children into picture.
void
BPrintJob::_DrawTree(BView* view, BRect rect, BPicture* picture)
{
	BView::Private(view).SetPrinting(true);
	view->BeginPicture(picture);
	view->PushState();
	if ((view->Flags() & B_WILL_DRAW) != 0)
		view->Draw(rect);
	view->PopState();
	for (int32 i = 0; BView* child = view->ChildAt(i); i++) {
		BRect part = child->Frame() & rect;
		if (!part.IsValid() || child->IsHidden(child))
			continue;
		BPicture childPicture;
		_DrawTree(child, child->ConvertFromParent(part), &childPicture);
		view->DrawPicture(&childPicture,
			child->Frame().LeftTop() - child->Bounds().LeftTop());
	}
	if ((view->Flags() & B_DRAW_ON_CHILDREN) != 0) {
		view->PushState();
		view->DrawAfterChildren(rect);
		view->PopState();
	}
	view->EndPicture();
	BView::Private(view).SetPrinting(false);
}


void
BPrintJob::SpoolPage()
{
	if (fSpool == NULL || !CanContinue())
		return;
	cairo_surface_show_page(fSpool->surface);
	fSpool->pageDrawn = false;
}


void
BPrintJob::CommitJob()
{
	if (fSpool == NULL)
		return;
	// A page drawn but not spooled would be lost.
	if (fSpool->pageDrawn)
		SpoolPage();
	cairo_surface_finish(fSpool->surface);
	fCanContinue = cairo_surface_status(fSpool->surface) == CAIRO_STATUS_SUCCESS;
	cairo_surface_destroy(fSpool->surface);
	delete fSpool;
	fSpool = NULL;
}


void
BPrintJob::CancelJob()
{
	if (fSpool == NULL)
		return;
	cairo_surface_destroy(fSpool->surface);
	unlink(fSpool->path.c_str());
	delete fSpool;
	fSpool = NULL;
	fCanContinue = false;
}


bool
BPrintJob::CanContinue()
{
	if (fSpool != NULL && cairo_surface_status(fSpool->surface) != CAIRO_STATUS_SUCCESS)
		fCanContinue = false;
	return fCanContinue;
}


BMessage*
BPrintJob::Settings()
{
	return fSettings != NULL ? new BMessage(*fSettings) : NULL;
}


void
BPrintJob::SetSettings(BMessage* message)
{
	if (message == fSettings)
		return;
	delete fSettings;
	fSettings = message;
}


bool
BPrintJob::IsSettingsMessageValid(BMessage* message) const
{
	BRect paper;
	BRect printable;
	int32 xres;
	int32 yres;
	return message != NULL && message->FindRect("paper_rect", &paper) == B_OK
		&& message->FindRect("printable_rect", &printable) == B_OK
		&& message->FindInt32("xres", &xres) == B_OK
		&& message->FindInt32("yres", &yres) == B_OK
		&& is_page_rect(paper) && is_page_rect(printable) && paper.Contains(printable)
		&& xres > 0 && yres > 0;
}


BRect
BPrintJob::PaperRect()
{
	if (!IsSettingsMessageValid(fSettings))
		_CompleteSettings(false);
	return fSettings->FindRect("paper_rect");
}


BRect
BPrintJob::PrintableRect()
{
	if (!IsSettingsMessageValid(fSettings))
		_CompleteSettings(false);
	return fSettings->FindRect("printable_rect");
}


void
BPrintJob::GetResolution(int32* xdpi, int32* ydpi)
{
	if (!IsSettingsMessageValid(fSettings))
		_CompleteSettings(false);
	if (xdpi != NULL)
		*xdpi = int32_or(fSettings, "xres", kDefaultResolution);
	if (ydpi != NULL)
		*ydpi = int32_or(fSettings, "yres", kDefaultResolution);
}


int32
BPrintJob::FirstPage()
{
	return int32_or(fSettings, "first_page", 1);
}


int32
BPrintJob::LastPage()
{
	return int32_or(fSettings, "last_page", kAllPages);
}


int32
BPrintJob::PrinterType(void* type) const
{
	return B_COLOR_PRINTER;
}

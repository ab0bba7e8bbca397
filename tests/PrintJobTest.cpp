// Print jobs: the settings ConfigPage() and ConfigJob() complete, pages drawn by views
// (and their children, with IsPrinting() true) written as a PDF file, a cancelled job
// leaving no file, and a file that cannot be written stopping the job.
#include <Message.h>
#include <PrintJob.h>
#include <View.h>

#include "ScratchDirectory.h"

#include <gtest/gtest.h>

#include <string.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

// Notes whether it drew while printing, and fills a square.
class PrintedView : public BView {
public:
	PrintedView()
		:
		BView(BRect(0, 0, 199, 99), "printed", B_FOLLOW_NONE, B_WILL_DRAW)
	{
	}

	void Draw(BRect updateRect) override
	{
		drewPrinting = IsPrinting();
		drawn = updateRect;
		SetHighColor(200, 0, 0);
		FillRect(BRect(10, 10, 49, 49));
	}

	bool drewPrinting = false;
	BRect drawn;
};



int
count_of(const std::string& text, const std::string& part)
{
	int count = 0;
	for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
		count++;
	return count;
}

} // namespace


TEST(PrintJobTest, ConfigurationCompletesTheSettingsWithoutAPanel)
{
	BPrintJob job("settings");
	EXPECT_EQ(job.Settings(), nullptr);
	ASSERT_EQ(job.ConfigPage(), B_OK);
	EXPECT_EQ(job.PaperRect(), BRect(0, 0, 612, 792));
	EXPECT_EQ(job.PrintableRect(), BRect(18, 18, 594, 774));
	int32 x = 0;
	int32 y = 0;
	job.GetResolution(&x, &y);
	EXPECT_EQ(x, 72);
	EXPECT_EQ(y, 72);

	ASSERT_EQ(job.ConfigJob(), B_OK);
	EXPECT_EQ(job.FirstPage(), 1);
	EXPECT_GT(job.LastPage(), 1000);
	BMessage* settings = job.Settings();
	ASSERT_NE(settings, nullptr);
	const char* file = NULL;
	ASSERT_EQ(settings->FindString("file", &file), B_OK);
	EXPECT_NE(strstr(file, "/settings.pdf"), nullptr);

	// Settings handed back are used as they are; ones that make no page are replaced.
	settings->ReplaceRect("paper_rect", BRect(0, 0, 300, 400));
	settings->ReplaceRect("printable_rect", BRect(10, 10, 290, 390));
	EXPECT_TRUE(job.IsSettingsMessageValid(settings));
	job.SetSettings(settings);
	EXPECT_EQ(job.PaperRect(), BRect(0, 0, 300, 400));
	BMessage* broken = new BMessage(*settings);
	broken->ReplaceRect("printable_rect", BRect(10, 10, 500, 390));
	EXPECT_FALSE(job.IsSettingsMessageValid(broken));
	job.SetSettings(broken);
	ASSERT_EQ(job.ConfigPage(), B_OK);
	EXPECT_EQ(job.PaperRect(), BRect(0, 0, 612, 792));
}


TEST(PrintJobTest, SpooledPagesOfDrawnViewsBecomeAPDFFile)
{
	ScratchDirectory scratch;
	std::string path = scratch.Path() + "/out.pdf";
	BPrintJob job("pages");
	job.ConfigJob();
	BMessage* settings = job.Settings();
	settings->ReplaceString("file", path.c_str());
	job.SetSettings(settings);

	PrintedView view;
	BView* child = new BView(BRect(100, 10, 149, 59), "child", B_FOLLOW_NONE, 0);
	view.AddChild(child);
	EXPECT_FALSE(view.IsPrinting());
	job.BeginJob();
	ASSERT_TRUE(job.CanContinue());
	job.DrawView(&view, BRect(0, 0, 99, 99), job.PrintableRect().LeftTop());
	EXPECT_TRUE(view.drewPrinting);
	EXPECT_EQ(view.drawn, BRect(0, 0, 99, 99));
	EXPECT_FALSE(view.IsPrinting());
	job.SpoolPage();
	job.DrawView(&view, view.Bounds(), BPoint(72, 72));
	job.SpoolPage();
	job.CommitJob();
	EXPECT_TRUE(job.CanContinue());

	std::string pdf = read_file(path);
	ASSERT_GT(pdf.size(), 100u);
	EXPECT_EQ(pdf.compare(0, 5, "%PDF-"), 0);
	EXPECT_EQ(count_of(pdf, "/Type /Page\n") + count_of(pdf, "/Type /Page ")
		+ count_of(pdf, "/Type /Page>"), 2) << "two pages";
	EXPECT_NE(pdf.find("/Title (pages)"), std::string::npos);
}


TEST(PrintJobTest, ACancelledJobLeavesNoFileAndAnUnwritableOneCannotContinue)
{
	ScratchDirectory scratch;
	std::string path = scratch.Path() + "/cancelled.pdf";
	BPrintJob job("cancelled");
	job.ConfigJob();
	BMessage* settings = job.Settings();
	settings->ReplaceString("file", path.c_str());
	job.SetSettings(settings);
	job.BeginJob();
	PrintedView view;
	job.DrawView(&view, view.Bounds(), B_ORIGIN);
	job.CancelJob();
	EXPECT_FALSE(job.CanContinue());
	EXPECT_NE(access(path.c_str(), F_OK), 0);

	BPrintJob lost("lost");
	lost.ConfigJob();
	settings = lost.Settings();
	settings->ReplaceString("file", (scratch.Path() + "/no/such/folder/x.pdf").c_str());
	lost.SetSettings(settings);
	lost.BeginJob();
	EXPECT_FALSE(lost.CanContinue());
	// Drawing and spooling do nothing once the job cannot go on.
	lost.DrawView(&view, view.Bounds(), B_ORIGIN);
	lost.SpoolPage();
	lost.CommitJob();
}

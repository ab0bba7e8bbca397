// A kit application with one window that reports on standard output each time it
// becomes the active application or stops being it ("activated 1" / "activated 0").
//
//	ActivationTestApp <signature>
#include <Application.h>
#include <Window.h>

#include <stdio.h>

namespace {

class ActivationTestApp : public BApplication {
public:
	explicit ActivationTestApp(const char* signature) : BApplication(signature) {}

	void ReadyToRun() override
	{
		BWindow* window = new BWindow(BRect(20, 20, 119, 79), "Activation test",
			B_TITLED_WINDOW, 0);
		window->Show();
		// As a window manager gives a new window the focus.
		if (window->Lock()) {
			window->Activate();
			window->Unlock();
		}
	}

	void AppActivated(bool active) override
	{
		printf("activated %d\n", active ? 1 : 0);
		fflush(stdout);
	}
};

} // namespace


int
main(int argc, char** argv)
{
	if (argc != 2) {
		fprintf(stderr, "usage: ActivationTestApp <signature>\n");
		return 2;
	}
	ActivationTestApp application(argv[1]);
	application.Run();
	return 0;
}

#include "QuorvaneApp.h"

#include <AppDefs.h>
#include <Roster.h>

#include <string.h>

#include "ScriptingTargets.h"


const char* kQuorvaneSignature = "application/x-vnd.thessory-Quorvane";
const char* kQuorvaneVersion = "1.0a3";


QuorvaneApp::QuorvaneApp(const char* signature)
	:
	BApplication(signature),
	fArgumentsAnalysed(false),
	fApplications(20)
{
}


QuorvaneApp::~QuorvaneApp()
{
	for (int32 i = 0; i < fApplications.CountItems(); i++)
		delete static_cast<ScriptingApplication*>(fApplications.ItemAt(i));
	fApplications.MakeEmpty();
}


void
QuorvaneApp::ArgvReceived(int32 argc, char** argv)
{
	for (int32 i = 1; i < argc; i++) {
		ScriptingApplication* node = CreateScriptingApplication(argv[i]);
		if (node == NULL)
			continue;
		// The print waits for the analysis, so the whole tree is printed. The node
		// cannot be handed on meanwhile: its kMsgAddApp waits in this thread's queue.
		node->AnalyzeApplication();
		node->PrintToStream();
		fArgumentsAnalysed = true;
	}
}


void
QuorvaneApp::ReadyToRun()
{
	if (!fArgumentsAnalysed) {
		BList* applications = GetRunningApplications(kQuorvaneSignature);
		for (int32 i = 0; i < applications->CountItems(); i++) {
			ScriptingApplication* node
				= static_cast<ScriptingApplication*>(applications->ItemAt(i));
			if (node == NULL)
				continue;
			// As in ArgvReceived: each tree is printed whole, so the analyses of the
			// start-up listing run one after the other.
			node->AnalyzeApplication();
			node->PrintToStream();
		}
		applications->MakeEmpty();
		delete applications;
	}

	be_roster->StartWatching(be_app_messenger, B_REQUEST_LAUNCHED | B_REQUEST_QUIT);
}


void
QuorvaneApp::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgAddApp:
		{
			ScriptingApplication* node;
			if (message->FindPointer("result", (void**)&node) == B_OK && node != NULL)
				fApplications.AddItem(node);
			break;
		}

		case kMsgDropApp:
		{
			// Nothing prints the node any more: every print on this thread is over.
			ScriptingApplication* node;
			if (message->FindPointer("result", (void**)&node) == B_OK)
				delete node;
			break;
		}

		case B_SOME_APP_QUIT:
		{
			const char* signature;
			if (message->FindString("be:signature", &signature) == B_OK)
				_ApplicationQuit(signature);
			break;
		}

		case B_SOME_APP_LAUNCHED:
		{
			const char* signature;
			if (message->FindString("be:signature", &signature) != B_OK)
				break;
			ScriptingApplication* node = CreateScriptingApplication(signature);
			if (node != NULL)
				node->AnalyzeApplication();
			break;
		}

		default:
			BApplication::MessageReceived(message);
			break;
	}
}


bool
QuorvaneApp::QuitRequested()
{
	be_roster->StopWatching(be_app_messenger);
	return BApplication::QuitRequested();
}


// Forgets the first node, in the order delivered, of the application that quit. A node
// still being analysed is not among them and stays.
void
QuorvaneApp::_ApplicationQuit(const char* signature)
{
	for (int32 i = 0; i < fApplications.CountItems(); i++) {
		ScriptingApplication* node
			= static_cast<ScriptingApplication*>(fApplications.ItemAt(i));
		if (node->GetInternalName() == signature) {
			fApplications.RemoveItem(i);
			delete node;
			return;
		}
	}
}

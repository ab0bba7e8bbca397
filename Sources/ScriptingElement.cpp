#include "ScriptingElement.h"

#include <AppDefs.h>
#include <Autolock.h>
#include <Bitmap.h>
#include <Font.h>
#include <InterfaceDefs.h>
#include <List.h>
#include <Messenger.h>
#include <OutlineListView.h>
#include <View.h>
#include <Window.h>

#include <stdio.h>

#include "AnalysisBudget.h"
#include "AnalysisLog.h"
#include "AnalysisLooper.h"
#include "SuitesPool.h"


static const float kIconSize = 16;
static const float kIconGap = 4;
static const float kMinimumRowHeight = 18;
// What stands in front of a kept request chain until a request puts the asked property's
// specifier in its place. Its specifier is as long as those of the properties asked most
// ("View", "Label", "Title"), which therefore take its place without moving the chain.
static const char* kPlaceholderProperty = "Asked";


// The suites of a node that has not asked for them yet: one empty message for all.
static const std::shared_ptr<const BMessage>&
NoSuites()
{
	static const std::shared_ptr<const BMessage> kNone
		= SuitesPool::Own(BMessage(B_MESSAGE_TYPE));
	return kNone;
}


SEItem::SEItem(const char* text, uint32 outlineLevel, bool expanded)
	:
	BListItem(outlineLevel, expanded),
	fText(text),
	fDynamicText(""),
	fSelectedColor(ui_color(B_PANEL_BACKGROUND_COLOR)),
	fDynamicColor(make_color(240, 16, 0, 255)),
	fDisabledDynamicColor(tint_color(fDynamicColor, B_DARKEN_3_TINT)),
	fTextColor(make_color(0, 0, 0, 255)),
	fDisabledTextColor(tint_color(fTextColor, B_LIGHTEN_2_TINT)),
	fTextHeight(0)
{
}


SEItem::~SEItem()
{
}


void
SEItem::Update(BView* owner, const BFont* font)
{
	BListItem::Update(owner, font);
	if (Height() < kMinimumRowHeight)
		SetHeight(kMinimumRowHeight);

	font_height height;
	font->GetHeight(&height);
	fTextHeight = height.ascent + height.descent + height.leading;
}


void
SEItem::DrawItem(BView* owner, BRect frame, bool complete)
{
	BRect iconFrame(0, 0, kIconSize - 1, kIconSize - 1);
	iconFrame.OffsetTo(frame.LeftTop());
	BBitmap* icon = GetBitmap();

	// Only local copies are shortened: the row keeps its full texts.
	BString text(fText);
	BString dynamicText(fDynamicText);
	float textWidth = owner->StringWidth(text.String());
	float dynamicWidth = owner->StringWidth(dynamicText.String());

	float available = frame.Width() - kIconSize;
	float half = available / 2 - kIconGap;
	if (textWidth + dynamicWidth > available) {
		if (textWidth > half) {
			owner->TruncateString(&text, B_TRUNCATE_SMART, half);
			textWidth = owner->StringWidth(text.String());
		}
		if (dynamicWidth > half) {
			owner->TruncateString(&dynamicText, B_TRUNCATE_SMART, half);
			dynamicWidth = owner->StringWidth(dynamicText.String());
		}
	}

	rgb_color highColor = owner->HighColor();
	rgb_color lowColor = owner->LowColor();

	if (IsSelected() || complete) {
		rgb_color color;
		if (IsSelected()) {
			color = fSelectedColor;
			owner->SetLowColor(color);
		} else
			color = owner->ViewColor();
		owner->SetHighColor(color);
		owner->FillRect(frame, B_SOLID_HIGH);
	}

	owner->MovePenTo(frame.left + kIconGap + kIconSize,
		frame.bottom - (Height() - fTextHeight));

	owner->PushState();
	owner->SetDrawingMode(B_OP_ALPHA);
	owner->SetBlendingMode(B_CONSTANT_ALPHA, B_ALPHA_OVERLAY);
	if (icon != NULL)
		owner->DrawBitmap(icon, iconFrame);
	owner->PopState();

	if (textWidth > 0) {
		owner->SetHighColor(IsEnabled() ? fTextColor : fDisabledTextColor);
		owner->DrawString(text.String());
		owner->MovePenBy(kIconGap, 0);
	}
	if (dynamicWidth > 0) {
		owner->SetHighColor(IsEnabled() ? fDynamicColor : fDisabledDynamicColor);
		owner->DrawString(dynamicText.String());
	}

	owner->SetHighColor(highColor);
	owner->SetLowColor(lowColor);
}


void
SEItem::SetText(const char* text)
{
	fText = text;
}


const char*
SEItem::Text() const
{
	return fText.String();
}


void
SEItem::SetDynamicText(const char* text)
{
	fDynamicText = text;
}


const char*
SEItem::DynamicText() const
{
	return fDynamicText.String();
}


// #pragma mark - ScriptingElement


ScriptingElement::ScriptingElement(BMessenger* messenger, ScriptingElement* parent,
	int32 level)
	:
	SEItem("", level, false),
	fScriptable(false),
	fInternalName(""),
	fName(""),
	fIndex(-1),
	fSuites(NoSuites()),
	fAccess(B_MESSAGE_TYPE),
	fMessenger(NULL),
	fLevel(level),
	fChildren(NULL),
	fParent(parent),
	fRoot(parent != NULL ? parent->fRoot : this),
	fLog(NULL),
	fFailure(B_OK),
	fHidden(false)
{
	SetMessenger(messenger);
}


ScriptingElement::~ScriptingElement()
{
	if (fChildren != NULL) {
		for (int32 i = 0; i < fChildren->CountItems(); i++)
			delete static_cast<ScriptingElement*>(fChildren->ItemAt(i));
		fChildren->MakeEmpty();
		delete fChildren;
	}
}


void
ScriptingElement::PrintToStream() const
{
	if (fChildren == NULL)
		return;
	for (int32 i = 0; i < fChildren->CountItems(); i++) {
		const ScriptingElement* child
			= static_cast<const ScriptingElement*>(fChildren->ItemAt(i));
		if (child != NULL)
			child->PrintToStream();
	}
}


void
ScriptingElement::IndentToStream() const
{
	for (int32 i = 0; i < fLevel; i++)
		fputs("    ", stdout);
}


void
ScriptingElement::AddAccess(BMessage* message)
{
	AppendAccess(message);
}


void
ScriptingElement::AppendAccess(BMessage* message) const
{
	BMessage specifier;
	for (int32 i = 0; fAccess.FindMessage("specifiers", i, &specifier) == B_OK; i++)
		message->AddSpecifier(&specifier);
	if (fParent != NULL)
		fParent->AppendAccess(message);
}


const BMessage*
ScriptingElement::GetAccessPtr() const
{
	if (fWholeAccess == nullptr) {
		fWholeAccess.reset(new BMessage(B_MESSAGE_TYPE));
		AppendAccess(fWholeAccess.get());
	}
	return fWholeAccess.get();
}


void
ScriptingElement::KeepRequestChain()
{
	fRequestChain.reset(new BMessage(B_MESSAGE_TYPE));
	fRequestChain->AddSpecifier(kPlaceholderProperty);
	BMessage specifier;
	for (int32 i = 0; fAccess.FindMessage("specifiers", i, &specifier) == B_OK; i++)
		fRequestChain->AddSpecifier(&specifier);
	if (fParent == NULL)
		return;
	// The parent's kept chain is read past its placeholder; a parent without one is
	// walked up.
	const BMessage* parentChain = fParent->fRequestChain.get();
	if (parentChain == NULL) {
		fParent->AppendAccess(fRequestChain.get());
		return;
	}
	for (int32 i = 1; parentChain->FindMessage("specifiers", i, &specifier) == B_OK; i++)
		fRequestChain->AddSpecifier(&specifier);
}


void
ScriptingElement::MakeRequest(BMessage* request, const char* property)
{
	uint32 what = request->what;
	if (fRequestChain == nullptr) {
		request->MakeEmpty();
		if (property != NULL)
			request->AddSpecifier(property);
		AddAccess(request);
		return;
	}
	// One copy of the kept chain, whose placeholder becomes the property's specifier or
	// goes: the bytes are those of the specifiers added one by one.
	*request = *fRequestChain;
	request->what = what;
	if (property == NULL) {
		request->RemoveData("specifiers", 0);
		return;
	}
	BMessage specifier(B_DIRECT_SPECIFIER);
	specifier.AddString("property", property);
	request->ReplaceMessage("specifiers", 0, &specifier);
}


void
ScriptingElement::AddToView(BOutlineListView* list)
{
	if (list == NULL)
		return;
	BAutolock lock(list->Window());
	if (!lock.IsLocked())
		return;

	list->AddItem(this);
	if (fChildren != NULL) {
		for (int32 i = 0; i < fChildren->CountItems(); i++) {
			ScriptingElement* child = static_cast<ScriptingElement*>(fChildren->ItemAt(i));
			if (child != NULL)
				child->AddToView(list);
		}
	}
}


int32
ScriptingElement::InsertIntoView(BOutlineListView* list, int32 fullListIndex)
{
	if (!list->AddItem(this, fullListIndex))
		return fullListIndex;
	int32 next = fullListIndex + 1;
	for (int32 i = 0; i < CountChildren(); i++) {
		ScriptingElement* child = static_cast<ScriptingElement*>(fChildren->ItemAt(i));
		if (child != NULL)
			next = child->InsertIntoView(list, next);
	}
	return next;
}


AnalysisBudget*
ScriptingElement::Budget()
{
	return fRoot != this ? fRoot->Budget() : NULL;
}


SuitesPool*
ScriptingElement::Pool()
{
	return fRoot != this ? fRoot->Pool() : NULL;
}


AnalysisLooper*
ScriptingElement::Looper()
{
	return fRoot != this ? fRoot->Looper() : NULL;
}


AnalysisLog*
ScriptingElement::Log() const
{
	// Walked once a line: with requests in flight every child has its own.
	for (const ScriptingElement* node = this; node != NULL; node = node->fParent) {
		if (node->fLog != NULL)
			return node->fLog;
	}
	return AnalysisLog::Streams();
}


AnalysisTask
ScriptingElement::Analysis(int32 level)
{
	co_return;
}


AnalysisTask
ScriptingElement::Introduce()
{
	co_return;
}


status_t
ScriptingElement::SendRequest(BMessage* request, BMessage* reply)
{
	AnalysisBudget* budget = Budget();
	if (budget != NULL)
		return budget->Send(fMessenger, request, reply);
	return fMessenger->SendMessage(request, reply, kRequestTimeout, kRequestTimeout);
}


bool
ScriptingElement::RequestAwaiter::await_ready()
{
	if (node->Looper() != NULL)
		return false;
	status = node->SendRequest(request, reply);
	return true;
}


bool
ScriptingElement::RequestAwaiter::await_suspend(std::coroutine_handle<> awaiter)
{
	return node->Looper()->Send(node, request, reply, &status, awaiter);
}


status_t
ScriptingElement::FindSuites()
{
	if (fMessenger == NULL || !fMessenger->IsValid())
		return B_ERROR;
	status_t status;
	RunNow(AskSuites(&status));
	return status;
}


AnalysisTask
ScriptingElement::AskSuites(status_t* status)
{
	BMessage request(B_GET_SUPPORTED_SUITES);
	MakeRequest(&request, NULL);
	BMessage reply(*fSuites);
	*status = co_await Ask(&request, &reply);
	SetSuites(reply);
}


void
ScriptingElement::SetSuites(const BMessage& reply)
{
	SuitesPool* pool = Pool();
	fSuites = pool != NULL ? pool->Share(reply) : SuitesPool::Own(reply);
}


ScriptingElement*
ScriptingElement::FindElement(const char* name)
{
	if (fInternalName == name || fName == name)
		return this;
	if (fChildren == NULL)
		return NULL;
	for (int32 i = 0; i < fChildren->CountItems(); i++) {
		ScriptingElement* child = static_cast<ScriptingElement*>(fChildren->ItemAt(i));
		if (child == NULL)
			continue;
		ScriptingElement* found = child->FindElement(name);
		if (found != NULL)
			return found;
	}
	return NULL;
}


int32
ScriptingElement::CountChildren() const
{
	return fChildren != NULL ? fChildren->CountItems() : 0;
}


const ScriptingElement*
ScriptingElement::ChildAt(int32 index) const
{
	return fChildren != NULL ? static_cast<const ScriptingElement*>(fChildren->ItemAt(index))
		: NULL;
}


void
ScriptingElement::SetFailure(const BString& request, status_t status)
{
	fFailedRequest = request;
	fFailure = status;
}


const char*
ScriptingElement::ParentName() const
{
	if (fParent == NULL)
		return "(no parent)";
	if (fParent->fName.Length() > 0)
		return fParent->fName.String();
	return fParent->fInternalName.String();
}

#include "ScriptingElement.h"

#include <AppDefs.h>
#include <InterfaceDefs.h>
#include <List.h>
#include <Messenger.h>

#include <stdio.h>


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
	fSuites(B_MESSAGE_TYPE),
	fAccess(B_MESSAGE_TYPE),
	fMessenger(NULL),
	fLevel(level),
	fChildren(NULL),
	fParent(parent)
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
	BMessage specifier;
	for (int32 i = 0; fAccess.FindMessage("specifiers", i, &specifier) == B_OK; i++)
		message->AddSpecifier(&specifier);
}


status_t
ScriptingElement::FindSuites()
{
	if (fMessenger == NULL || !fMessenger->IsValid())
		return B_ERROR;

	BMessage request(B_GET_SUPPORTED_SUITES);
	if (!fAccess.IsEmpty())
		AddAccess(&request);
	return fMessenger->SendMessage(&request, &fSuites, B_INFINITE_TIMEOUT,
		B_INFINITE_TIMEOUT);
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


const char*
ScriptingElement::ParentName() const
{
	if (fParent == NULL)
		return "(no parent)";
	if (fParent->fName.Length() > 0)
		return fParent->fName.String();
	return fParent->fInternalName.String();
}

// Colour controls: the value packed into an int32, the sizes of the layouts, archiving, and
// on the offscreen display the ramps under the pointer and the keys, the number fields, and
// the colour control suite.
#include <ColorControl.h>
#include <Message.h>
#include <Messenger.h>
#include <TextControl.h>
#include <Window.h>

#include "MessageFields.h"
#include "OffscreenWindowTest.h"
#include "ScriptingRequest.h"

#include <gtest/gtest.h>

#include <math.h>
#include <memory>
#include <vector>

namespace {

const uint32 kColor = 'colr';

// The red, green, blue and grey ramps of a B_CELLS_32x8 control with 8-pixel cells: inside
// a 2-pixel frame, 256 pixels long (level = x - 2) and 16 high each.
const float kRampLeft = 2;
const float kRampHeight = 16;

std::string
field_text(BColorControl* control, const char* name)
{
	BTextControl* field = dynamic_cast<BTextControl*>(control->FindView(name));
	return field != NULL ? field->Text() : "(no field)";
}


class ColorWindow : public BWindow {
public:
	explicit ColorWindow(const char* title)
		:
		BWindow(BRect(100, 100, 459, 199), title, B_TITLED_WINDOW, 0)
	{
		fControl = new BColorControl(BPoint(10, 10), B_CELLS_32x8, 8, "color",
			new BMessage(kColor));
		AddChild(fControl);
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == kColor) {
			int32 value = 0;
			message->FindInt32("be:value", &value);
			values.push_back(value);
			return;
		}
		BWindow::MessageReceived(message);
	}

	// Window coordinates of the point at level along ramp (0 red, 1 green, 2 blue, 3 grey).
	BPoint RampPoint(int32 ramp, float level)
	{
		return fControl->ConvertToScreen(BPoint(kRampLeft + level,
			kRampLeft + ramp * kRampHeight + kRampHeight / 2)) - Frame().LeftTop();
	}

	BColorControl* fControl;
	// "be:value" of each message the control sent.
	std::vector<int32> values;
};


class ColorControlTest : public OffscreenWindowTest<ColorWindow> {
protected:
	BPoint RampPoint(int32 ramp, float level)
	{
		BPoint point;
		wait_until(fWindow, [&] { point = fWindow->RampPoint(ramp, level); return true; });
		return point;
	}

	void Type(const char* keys)
	{
		for (const char* key = keys; *key != '\0'; key++)
			inject_key(fOffscreen, *key);
	}

	// Waits for count messages, then checks the control's colour and the last message.
	void ExpectColor(size_t count, rgb_color color)
	{
		ASSERT_TRUE(wait_until(fWindow, [&] { return fWindow->values.size() == count; }));
		wait_until(fWindow, [&] {
			EXPECT_EQ(fWindow->fControl->ValueAsColor(), color);
			EXPECT_EQ(fWindow->values.back(), fWindow->fControl->Value());
			return true;
		});
	}
};

} // namespace


TEST(ColorControlValueTest, ColorsPackIntoTheHighBytesAndShowInTheFields)
{
	BColorControl control(BPoint(0, 0), B_CELLS_32x8, 8, "color");
	EXPECT_EQ(control.Value(), 0);
	EXPECT_EQ(control.ValueAsColor(), make_color(0, 0, 0));

	control.SetValue(make_color(0x12, 0x34, 0xfe, 0x10));
	EXPECT_EQ(control.Value(), 0x1234fe00);
	// The colour comes back opaque, whatever alpha it was given.
	EXPECT_EQ(control.ValueAsColor(), make_color(0x12, 0x34, 0xfe, 255));
	EXPECT_EQ(field_text(&control, "_red"), "18");
	EXPECT_EQ(field_text(&control, "_green"), "52");
	EXPECT_EQ(field_text(&control, "_blue"), "254");

	// The low byte of an int32 is dropped; a red above 127 makes the int32 negative.
	control.SetValue((int32)0xff8001ff);
	EXPECT_EQ((uint32)control.Value(), 0xff800100u);
	EXPECT_EQ(control.ValueAsColor(), make_color(255, 128, 1));
	EXPECT_EQ(field_text(&control, "_red"), "255");
}


TEST(ColorControlValueTest, LayoutsAndCellSizesDecideThePreferredSize)
{
	BColorControl wide(BPoint(5, 7), B_CELLS_32x8, 8, "wide");
	float width, height;
	wide.GetPreferredSize(&width, &height);
	// Constructed at its preferred size, with its left top where it was asked.
	EXPECT_EQ(wide.Frame(), BRect(5, 7, 5 + width, 7 + height));
	// 256 by 64 pixels of ramps inside a 2-pixel frame, the fields to the right.
	EXPECT_GE(width, 256 + 4 + 30);
	EXPECT_GE(height, 64 + 3);

	// The same cells in other shapes: 64x4 is 256 pixels wider than 32x8 at 8 pixels.
	float wideWidth = width;
	wide.SetLayout(B_CELLS_64x4);
	EXPECT_EQ(wide.Layout(), B_CELLS_64x4);
	wide.GetPreferredSize(&width, NULL);
	EXPECT_EQ(width, wideWidth + 256);
	EXPECT_EQ(wide.Bounds().Width(), width);

	// A tall layout stands its ramps side by side: 4x64 at 2 pixels is 8 by 128.
	BColorControl tall(BPoint(0, 0), B_CELLS_4x64, 2, "tall");
	tall.GetPreferredSize(NULL, &height);
	EXPECT_EQ(height, 128 + 3);

	// Cell sizes stay within 1 to 32; a layout that is none of the five is ignored.
	wide.SetCellSize(0);
	EXPECT_EQ(wide.CellSize(), 1);
	wide.SetCellSize(NAN);
	EXPECT_EQ(wide.CellSize(), 1);
	wide.SetCellSize(1000);
	EXPECT_EQ(wide.CellSize(), 32);
	wide.SetLayout((color_control_layout)5);
	EXPECT_EQ(wide.Layout(), B_CELLS_64x4);
}


TEST(ColorControlValueTest, AnArchiveMakesTheSameControl)
{
	BColorControl control(BPoint(3, 4), B_CELLS_16x16, 4, "picker", new BMessage(kColor),
		true);
	control.SetValue(make_color(10, 20, 30));
	control.SetEnabled(false);
	BMessage archive;
	ASSERT_EQ(control.Archive(&archive), B_OK);
	EXPECT_EQ(string_field(archive, "class"), "BColorControl");
	EXPECT_EQ(archive.FindInt32("_layout"), (int32)B_CELLS_16x16);
	EXPECT_EQ(archive.FindFloat("_csize"), 4);
	EXPECT_TRUE(archive.FindBool("_use_off"));
	EXPECT_EQ(archive.FindInt32("_val"), control.Value());
	EXPECT_TRUE(archive.FindBool("_disable"));
	// The number fields are parts of the control, not archived children.
	EXPECT_FALSE(archive.HasMessage("_views"));

	std::unique_ptr<BArchivable> object(BColorControl::Instantiate(&archive));
	BColorControl* copy = dynamic_cast<BColorControl*>(object.get());
	ASSERT_NE(copy, nullptr);
	EXPECT_STREQ(copy->Name(), "picker");
	EXPECT_EQ(copy->Frame(), control.Frame());
	EXPECT_EQ(copy->Layout(), B_CELLS_16x16);
	EXPECT_EQ(copy->CellSize(), 4);
	EXPECT_EQ(copy->ValueAsColor(), make_color(10, 20, 30));
	EXPECT_FALSE(copy->IsEnabled());
	ASSERT_NE(copy->Message(), nullptr);
	EXPECT_EQ(copy->Message()->what, kColor);
	EXPECT_EQ(field_text(copy, "_blue"), "30");

	// Another class's archive is refused.
	BMessage other;
	other.AddString("class", "BView");
	EXPECT_EQ(BColorControl::Instantiate(&other), nullptr);

	// Values no control archives are brought back to ones it could have.
	BMessage odd;
	odd.AddString("class", "BColorControl");
	odd.AddInt32("_layout", 7);
	odd.AddFloat("_csize", NAN);
	odd.AddInt32("_val", -1);
	std::unique_ptr<BArchivable> oddObject(BColorControl::Instantiate(&odd));
	BColorControl* oddCopy = dynamic_cast<BColorControl*>(oddObject.get());
	ASSERT_NE(oddCopy, nullptr);
	EXPECT_EQ(oddCopy->Layout(), B_CELLS_32x8);
	EXPECT_EQ(oddCopy->CellSize(), 1);
	EXPECT_EQ((uint32)oddCopy->Value(), 0xffffff00u);
	EXPECT_EQ(oddCopy->Message(), nullptr);
}


TEST_F(ColorControlTest, PressesAndDragsSetTheComponentOfTheirRamp)
{
	Open("Color ramps");
	// A click on each ramp sets its component and invokes once.
	inject_click(fOffscreen, RampPoint(0, 200));
	ASSERT_NO_FATAL_FAILURE(ExpectColor(1, make_color(200, 0, 0)));
	inject_click(fOffscreen, RampPoint(1, 100));
	ASSERT_NO_FATAL_FAILURE(ExpectColor(2, make_color(200, 100, 0)));
	inject_click(fOffscreen, RampPoint(2, 50));
	ASSERT_NO_FATAL_FAILURE(ExpectColor(3, make_color(200, 100, 50)));
	// Grey sets all three.
	inject_click(fOffscreen, RampPoint(3, 70));
	ASSERT_NO_FATAL_FAILURE(ExpectColor(4, make_color(70, 70, 70)));

	// A drag along blue invokes with each change and stays on blue when the pointer
	// wanders over the other ramps and past the end.
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseDown, RampPoint(2, 10), 1);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, RampPoint(0, 120), 1);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, RampPoint(2, 300), 1);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseUp, RampPoint(2, 300), 0);
	ASSERT_NO_FATAL_FAILURE(ExpectColor(7, make_color(70, 70, 255)));
	// The press focused blue, whose frame shows on it: white mixed with the navigation
	// colour, at the ramp's left top corner (window 12, 44) or the pixel beside it.
	const rgb_color white = make_color(255, 255, 255);
	EXPECT_TRUE(wait_until(fWindow, [&] {
		return fOffscreen->PixelAt(12, 44) == white || fOffscreen->PixelAt(13, 44) == white;
	}));
	SaveScreenshot("color-control.png");
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->values[4], (int32)0x46460a00);
		EXPECT_EQ(fWindow->values[5], (int32)0x46467800);
		EXPECT_EQ(field_text(fWindow->fControl, "_blue"), "255");
		fWindow->fControl->SetEnabled(false);
		return true;
	});

	// A disabled control ignores the pointer.
	inject_click(fOffscreen, RampPoint(0, 0));
	wait_for_queue(fWindow);
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->values.size(), 7u);
		return true;
	});
	SaveScreenshot("color-control-disabled.png");
}


TEST_F(ColorControlTest, ArrowsStepTheFocusedRampAndFieldsTakeNumbers)
{
	Open("Color keys");
	wait_until(fWindow, [&] {
		fWindow->fControl->SetValue(make_color(10, 20, 30));
		fWindow->fControl->MakeFocus(true);
		return true;
	});
	// Red has the focus first; Right steps it up.
	inject_key(fOffscreen, B_RIGHT_ARROW);
	ASSERT_NO_FATAL_FAILURE(ExpectColor(1, make_color(11, 20, 30)));
	// Down moves to green, Left steps it down; End takes it to the top.
	inject_key(fOffscreen, B_DOWN_ARROW);
	inject_key(fOffscreen, B_LEFT_ARROW);
	ASSERT_NO_FATAL_FAILURE(ExpectColor(2, make_color(11, 19, 30)));
	inject_key(fOffscreen, B_END);
	ASSERT_NO_FATAL_FAILURE(ExpectColor(3, make_color(11, 255, 30)));
	// At the end a step changes nothing and sends nothing; Space does not flip a colour.
	inject_key(fOffscreen, B_RIGHT_ARROW);
	inject_key(fOffscreen, ' ');
	// Down twice reaches grey, once more stays there; Home turns all three to 0.
	inject_key(fOffscreen, B_DOWN_ARROW);
	inject_key(fOffscreen, B_DOWN_ARROW);
	inject_key(fOffscreen, B_DOWN_ARROW);
	inject_key(fOffscreen, B_HOME);
	ASSERT_NO_FATAL_FAILURE(ExpectColor(4, make_color(0, 0, 0)));

	// A number typed in a field and Enter set its component; a number above 255 is
	// brought down to it.
	wait_until(fWindow, [&] {
		BTextView* text = dynamic_cast<BTextControl*>(
			fWindow->fControl->FindView("_green"))->TextView();
		text->MakeFocus(true);
		text->SelectAll();
		return true;
	});
	Type("2x00\n");
	ASSERT_NO_FATAL_FAILURE(ExpectColor(5, make_color(0, 200, 0)));
	wait_until(fWindow, [&] {
		BTextView* text = dynamic_cast<BTextControl*>(
			fWindow->fControl->FindView("_red"))->TextView();
		text->MakeFocus(true);
		text->SelectAll();
		return true;
	});
	Type("999\n");
	ASSERT_NO_FATAL_FAILURE(ExpectColor(6, make_color(255, 200, 0)));
	wait_until(fWindow, [&] {
		EXPECT_EQ(field_text(fWindow->fControl, "_red"), "255");
		return true;
	});
}


TEST_F(ColorControlTest, TheSuiteGetsAndSetsTheColourLayoutAndCellSize)
{
	Open("Color scripting");
	BMessenger window(fWindow);
	BMessage reply;

	BMessage setInt = view_property_request(B_SET_PROPERTY, "Value", "color");
	setInt.AddInt32("data", 0x10203000);
	ASSERT_EQ(window.SendMessage(&setInt, &reply), B_OK);
	EXPECT_EQ(reply.FindInt32("error"), B_OK);
	BMessage get = view_property_request(B_GET_PROPERTY, "Value", "color");
	ASSERT_EQ(window.SendMessage(&get, &reply), B_OK);
	EXPECT_EQ(reply.FindInt32("result"), 0x10203000);

	rgb_color orange = make_color(255, 128, 0);
	BMessage setColor = view_property_request(B_SET_PROPERTY, "Value", "color");
	setColor.AddData("data", B_RGB_COLOR_TYPE, &orange, sizeof(orange));
	ASSERT_EQ(window.SendMessage(&setColor, &reply), B_OK);
	EXPECT_EQ(reply.FindInt32("error"), B_OK);
	ASSERT_EQ(window.SendMessage(&get, &reply), B_OK);
	EXPECT_EQ((uint32)reply.FindInt32("result"), 0xff800000u);

	// A set without data of a type the row takes, or a colour of the wrong size, changes
	// nothing.
	BMessage setString = view_property_request(B_SET_PROPERTY, "Value", "color");
	setString.AddString("data", "orange");
	ASSERT_EQ(window.SendMessage(&setString, &reply), B_OK);
	EXPECT_EQ(reply.FindInt32("error"), B_BAD_VALUE);
	BMessage shortColor = view_property_request(B_SET_PROPERTY, "Value", "color");
	shortColor.AddData("data", B_RGB_COLOR_TYPE, &orange, 3);
	ASSERT_EQ(window.SendMessage(&shortColor, &reply), B_OK);
	EXPECT_EQ(reply.FindInt32("error"), B_BAD_VALUE);

	BMessage setLayout = view_property_request(B_SET_PROPERTY, "Layout", "color");
	setLayout.AddInt32("data", B_CELLS_16x16);
	ASSERT_EQ(window.SendMessage(&setLayout, &reply), B_OK);
	EXPECT_EQ(reply.FindInt32("error"), B_OK);
	BMessage badLayout = view_property_request(B_SET_PROPERTY, "Layout", "color");
	badLayout.AddInt32("data", 5);
	ASSERT_EQ(window.SendMessage(&badLayout, &reply), B_OK);
	EXPECT_EQ(reply.FindInt32("error"), B_BAD_VALUE);
	BMessage getLayout = view_property_request(B_GET_PROPERTY, "Layout", "color");
	ASSERT_EQ(window.SendMessage(&getLayout, &reply), B_OK);
	EXPECT_EQ(reply.FindInt32("result"), (int32)B_CELLS_16x16);

	BMessage setSize = view_property_request(B_SET_PROPERTY, "CellSize", "color");
	setSize.AddFloat("data", 5);
	ASSERT_EQ(window.SendMessage(&setSize, &reply), B_OK);
	BMessage getSize = view_property_request(B_GET_PROPERTY, "CellSize", "color");
	ASSERT_EQ(window.SendMessage(&getSize, &reply), B_OK);
	EXPECT_EQ(reply.FindFloat("result"), 5);
	wait_until(fWindow, [&] {
		EXPECT_EQ(fWindow->fControl->ValueAsColor(), orange);
		EXPECT_EQ(fWindow->fControl->Layout(), B_CELLS_16x16);
		// Scripting sets without invoking, as for every control.
		EXPECT_TRUE(fWindow->values.empty());
		return true;
	});

	// The control suite still answers what the colour suite leaves to it.
	BMessage enabled = view_property_request(B_GET_PROPERTY, "Enabled", "color");
	ASSERT_EQ(window.SendMessage(&enabled, &reply), B_OK);
	EXPECT_TRUE(reply.FindBool("result"));

	BMessage suites(B_GET_SUPPORTED_SUITES);
	suites.AddSpecifier("View", "color");
	ASSERT_EQ(window.SendMessage(&suites, &reply), B_OK);
	EXPECT_EQ(string_field(reply, "suites", 0), "suite/vnd.Be-color-control");
	EXPECT_EQ(string_field(reply, "suites", 1), "suite/vnd.Be-control");
}


TEST_F(ColorControlTest, TallLayoutsStandTheRampsSideBySide)
{
	Open("Color tall");
	// 8x32 at 2 pixels: 16 by 64 pixels of ramps, each 4 wide, level 0 at the top.
	BPoint blueTop, blueThird;
	wait_until(fWindow, [&] {
		fWindow->fControl->SetLayout(B_CELLS_8x32);
		fWindow->fControl->SetCellSize(2);
		BPoint origin = fWindow->fControl->ConvertToScreen(BPoint(kRampLeft, kRampLeft))
			- fWindow->Frame().LeftTop();
		blueTop = origin + BPoint(2 * 4 + 2, 0);
		blueThird = origin + BPoint(2 * 4 + 2, 21);
		return true;
	});
	inject_click(fOffscreen, blueThird);
	ASSERT_NO_FATAL_FAILURE(ExpectColor(1, make_color(0, 0, 85)));
	// Dragging from the top of blue over to red and down past the end keeps to blue.
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseDown, blueTop, 1);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseUp, blueTop + BPoint(-8, 80), 0);
	ASSERT_NO_FATAL_FAILURE(ExpectColor(2, make_color(0, 0, 0)));
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseDown, blueTop, 1);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseMoved, blueTop + BPoint(-8, 80), 1);
	inject_mouse(fOffscreen, BPrivate::kDisplayMouseUp, blueTop + BPoint(-8, 80), 0);
	ASSERT_NO_FATAL_FAILURE(ExpectColor(3, make_color(0, 0, 255)));

	// The press focused blue: Up steps along it, Left moves to green.
	inject_key(fOffscreen, B_UP_ARROW);
	ASSERT_NO_FATAL_FAILURE(ExpectColor(4, make_color(0, 0, 254)));
	inject_key(fOffscreen, B_LEFT_ARROW);
	inject_key(fOffscreen, B_DOWN_ARROW);
	ASSERT_NO_FATAL_FAILURE(ExpectColor(5, make_color(0, 1, 254)));
	SaveScreenshot("color-control-tall.png");
}

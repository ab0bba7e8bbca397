// Everything of the Interface Kit, for applications that include it whole.
#ifndef _INTERFACE_KIT_H
#define _INTERFACE_KIT_H

#include <Alert.h>
#include <Bitmap.h>
#include <Box.h>
#include <Button.h>
#include <ChannelControl.h>
#include <ChannelSlider.h>
#include <CheckBox.h>
#include <ColorControl.h>
#include <Control.h>
#include <Dragger.h>
#include <Font.h>
#include <GraphicsDefs.h>
#include <InterfaceDefs.h>
#include <ListItem.h>
#include <ListView.h>
#include <Menu.h>
#include <MenuBar.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <OptionControl.h>
#include <OptionPopUp.h>
#include <OutlineListView.h>
#include <Picture.h>
#include <PictureButton.h>
#include <Point.h>
#include <Polygon.h>
#include <PopUpMenu.h>
#include <RadioButton.h>
#include <Rect.h>
#include <Region.h>
#include <Screen.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <Shape.h>
#include <Slider.h>
#include <StatusBar.h>
#include <StringView.h>
#include <TabView.h>
#include <TextControl.h>
#include <TextView.h>
#include <View.h>
#include <Window.h>

#endif // _INTERFACE_KIT_H

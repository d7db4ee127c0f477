#pragma once

// Numeric ids of the program's dialogs, bitmaps, icons and strings.

namespace DialogId {
constexpr int About = 100;
constexpr int Compose = 102;
constexpr int Preview = 104;
constexpr int Send = 105;
constexpr int Splash = 106;
constexpr int Notice = 237;
constexpr int UserSettings = 238;
constexpr int FirstRun = 239;
constexpr int Confirm = 240;
constexpr int AddressBook = 101;
constexpr int PictureChooser = 185;
constexpr int SaveImage = 241;
}  // namespace DialogId

namespace BitmapId {
// Composition window backgrounds, one per tab.
constexpr int ComposePicture = 169;
constexpr int ComposeCharacter = 161;
constexpr int ComposeMessage = 160;
constexpr int QuitHover = 145;
constexpr int QuitPressed = 193;

constexpr int Splash = 173;

// Notice window: as progress window and as message box, with its OK button.
constexpr int NoticeProgress = 286;
constexpr int NoticeMessage = 238;
constexpr int NoticeOkHover = 239;
constexpr int NoticeOkPressed = 240;
// The progress window's stop button, shown while a send takes long.
constexpr int NoticeStopIdle = 298;
constexpr int NoticeStopHover = 296;
constexpr int NoticeStopPressed = 297;

// First-run setup and its confirmation.
constexpr int FirstRun = 258;
constexpr int FirstRunOkHover = 259;
constexpr int FirstRunOkPressed = 260;
constexpr int FirstRunCancelHover = 293;
constexpr int FirstRunCancelPressed = 295;
constexpr int Confirm = 261;
constexpr int ConfirmCancelHover = 262;
constexpr int ConfirmCancelPressed = 263;
constexpr int ConfirmOkHover = 264;
constexpr int ConfirmOkPressed = 265;

// Picture chooser and save window.
constexpr int PictureChooser = 199;
constexpr int PictureChooserOkHover = 190;
constexpr int PictureChooserOkPressed = 236;
constexpr int PictureChooserCancelHover = 188;
constexpr int PictureChooserCancelPressed = 232;
constexpr int SaveImage = 279;
constexpr int SaveImageOkHover = 283;
constexpr int SaveImageOkPressed = 282;
constexpr int SaveImageCancelHover = 281;
constexpr int SaveImageCancelPressed = 280;

// User settings window.
constexpr int UserSettings = 266;
constexpr int UserSettingsOkHover = 270;
constexpr int UserSettingsOkPressed = 269;
constexpr int UserSettingsCancelHover = 268;
constexpr int UserSettingsCancelPressed = 267;

// Send dialog and address book, with the image list of the address book's grid.
constexpr int Send = 174;
constexpr int SendToHover = 177;
constexpr int SendToPressed = 229;
constexpr int SendSendHover = 176;
constexpr int SendSendPressed = 227;
constexpr int SendCancelHover = 175;
constexpr int SendCancelPressed = 225;
constexpr int AddressBook = 179;
constexpr int AddressBookOkHover = 183;
constexpr int AddressBookOkPressed = 222;
constexpr int AddressBookCancelHover = 180;
constexpr int AddressBookCancelPressed = 219;
constexpr int AddressBookNewHover = 182;
constexpr int AddressBookNewPressed = 221;
constexpr int AddressBookDeleteHover = 181;
constexpr int AddressBookDeletePressed = 220;
constexpr int AddressBookImages = 132;
}  // namespace BitmapId

namespace IconId {
constexpr int Main = 128;
}  // namespace IconId

namespace StringId {
constexpr int SocketInitFailed = 103;
}  // namespace StringId

// Control ids shared by several dialogs.
namespace ControlId {
constexpr int Ok = 1;
constexpr int Cancel = 2;
}  // namespace ControlId

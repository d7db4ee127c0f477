#include "button_names.h"

#include <unordered_map>

#include "resources/resource_ids.h"

namespace {

// One entry per button bitmap of every window; the label is the one painted on the bitmap,
// or for the buttons that carry only a symbol, what the symbol means.
const std::unordered_map<int, QString>& Names() {
  static const std::unordered_map<int, QString> names = {
      // Composition window.
      {148, QStringLiteral("写真")},
      {147, QStringLiteral("メッセージ")},
      {144, QStringLiteral("キャラ")},
      {171, QStringLiteral("開く")},
      {150, QStringLiteral("プレビュー")},
      {153, QStringLiteral("送信")},
      {BitmapId::QuitHover, QStringLiteral("終了")},
      {152, QStringLiteral("保存")},
      {170, QStringLiteral("縮小")},
      {172, QStringLiteral("拡大")},
      {151, QStringLiteral("リセット")},
      {143, QStringLiteral("クリア")},
      {252, QStringLiteral("ホーム")},
      {254, QStringLiteral("アルバム")},
      {256, QStringLiteral("アルバム編集")},
      {242, QStringLiteral("設定")},
      {290, QStringLiteral("ヘルプ")},
      // Notices.
      {BitmapId::NoticeOkHover, QStringLiteral("OK")},
      {BitmapId::NoticeStopHover, QStringLiteral("中止")},
      // First start and its confirmation.
      {BitmapId::FirstRunOkHover, QStringLiteral("OK")},
      {BitmapId::FirstRunCancelHover, QStringLiteral("キャンセル")},
      {BitmapId::ConfirmOkHover, QStringLiteral("登録")},
      {BitmapId::ConfirmCancelHover, QStringLiteral("戻る")},
      // Picture chooser and save window.
      {BitmapId::PictureChooserOkHover, QStringLiteral("開く")},
      {BitmapId::PictureChooserCancelHover, QStringLiteral("キャンセル")},
      {BitmapId::SaveImageOkHover, QStringLiteral("保存")},
      {BitmapId::SaveImageCancelHover, QStringLiteral("キャンセル")},
      // User settings.
      {BitmapId::UserSettingsOkHover, QStringLiteral("OK")},
      {BitmapId::UserSettingsCancelHover, QStringLiteral("キャンセル")},
      // Send window and address book.
      {BitmapId::SendToHover, QStringLiteral("アドレス帳")},
      {BitmapId::SendSendHover, QStringLiteral("送信")},
      {BitmapId::SendCancelHover, QStringLiteral("キャンセル")},
      {BitmapId::AddressBookOkHover, QStringLiteral("OK")},
      {BitmapId::AddressBookCancelHover, QStringLiteral("キャンセル")},
      {BitmapId::AddressBookNewHover, QStringLiteral("新規")},
      {BitmapId::AddressBookDeleteHover, QStringLiteral("削除")},
  };
  return names;
}

}  // namespace

QString ButtonName(int hoverBitmapId) {
  const auto found = Names().find(hoverBitmapId);
  return found == Names().end() ? QString() : found->second;
}

#include "mail_address.h"

#include "protocol/cp932.h"
#include "resources/resource_ids.h"
#include "skin/notice_dlg.h"

namespace {

// Byte offset of the first character `wanted`, or -1. Double-byte characters are stepped over
// whole, so their second byte is never taken for "@" or ".".
long FirstCharacter(const std::string& bytes, char wanted) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == wanted) return static_cast<long>(i);
    if (IsCp932LeadByte(static_cast<unsigned char>(bytes[i]))) ++i;
  }
  return -1;
}

}  // namespace

bool IsMailAddress(const QString& text) {
  const std::string bytes = ToCp932(text);
  const long at = FirstCharacter(bytes, '@');
  const long dot = FirstCharacter(bytes, '.');
  const long length = static_cast<long>(bytes.size());
  return at != -1 && dot != -1 && dot < length - 1 && at != 1;
}

bool AcceptMailAddress(QWidget* parent, const QString& text) {
  if (text.isEmpty()) {
    CNoticeDlg::ShowNotice(parent, BitmapId::NoticeMessage,
                           QStringLiteral("宛先を指定してください。"));
    return false;
  }
  if (!IsMailAddress(text)) {
    CNoticeDlg::ShowNotice(parent, BitmapId::NoticeMessage,
                           QStringLiteral("正しいメールアドレスを入力してください"));
    return false;
  }
  return true;
}

#include "upload_body.h"

#include "app/settings_store.h"
#include "protocol/cp932.h"

namespace {

std::string EncodeField(const QString& text, const QString& fieldName, bool showCharacter) {
  // Only what is sent has to be writable; a character past the cut does not matter.
  QString unwritable;
  std::optional<std::string> bytes = ToCp932Within(text, kUploadTextLimit, &unwritable);
  if (!bytes) {
    const QString description =
        showCharacter
            ? QStringLiteral("%1に送信できない文字「%2」があります。").arg(fieldName, unwritable)
            : QStringLiteral("%1に送信できない文字があります。").arg(fieldName);
    throw UnsendableTextError(description);
  }
  return std::move(*bytes);
}

}  // namespace

UploadFields EncodeUploadFields(const CSettingsStore& store, const UploadTexts& texts) {
  UploadFields fields;
  fields.userId = EncodeField(store.UserId(), QStringLiteral("ユーザーID"), true);
  fields.password = EncodeField(store.Password(), QStringLiteral("パスワード"), false);
  fields.from = EncodeField(store.SenderId(), QStringLiteral("ユーザーID"), true);
  fields.to = EncodeField(texts.to, QStringLiteral("宛先"), true);
  fields.subject = EncodeField(texts.subject, QStringLiteral("件名"), true);
  fields.message = EncodeField(texts.message, QStringLiteral("本文"), true);
  return fields;
}

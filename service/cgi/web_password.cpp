#include "cgi/web_password.h"

#include "store/password_rule.h"

QString NewPasswordProblem(const QString& password, const QString& again) {
  if (password != again) return QStringLiteral("確認のために入れたパスワードが一致しません。");
  if (password.size() < kMinimumPasswordLength)
    return QStringLiteral("パスワードは%1文字以上にしてください。").arg(kMinimumPasswordLength);
  switch (CheckSendablePassword(password)) {
    case PasswordFault::kNone:
      return {};
    case PasswordFault::kTooLong:
      return QStringLiteral("パスワードが長すぎます（シフトJISで%1バイトまで）。")
          .arg(kPasswordLimit);
    case PasswordFault::kUnsendable:
      return QStringLiteral("パスワードに Quillora から送れない文字があります。");
    case PasswordFault::kEmpty:
    case PasswordFault::kControlCharacter:
      break;
  }
  return QStringLiteral("パスワードに使えない文字があります。");
}

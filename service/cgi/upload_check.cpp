#include "cgi/upload_check.h"

#include <optional>

#include "mail/recipient_list.h"
#include "protocol/cp932.h"
#include "protocol/upload_parser.h"

namespace {

QString LayoutReason(UploadBodyFault fault) {
  switch (fault) {
    case UploadBodyFault::kTo:
      return QStringLiteral("リクエストの形式が正しくありません（宛先の行）。");
    case UploadBodyFault::kFrom:
      return QStringLiteral("リクエストの形式が正しくありません（差出人の行）。");
    case UploadBodyFault::kSubject:
      return QStringLiteral("リクエストの形式が正しくありません（件名の行）。");
    case UploadBodyFault::kMessage:
      return QStringLiteral("リクエストの形式が正しくありません（本文の終わり）。");
    case UploadBodyFault::kClosing:
      return QStringLiteral("リクエストの形式が正しくありません（画像の終わり）。");
    case UploadBodyFault::kTooLong:
      return QStringLiteral("1023バイトを超える項目があります。");
    default:
      return QStringLiteral("リクエストの形式が正しくありません（アカウント）。");
  }
}

// Control characters: C0, DEL and C1. The message may hold CR LF pairs, nothing else.
bool HasControlCharacter(const QString& text, bool lineBreaks) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (lineBreaks && c == '\r' && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) {
      ++i;
      continue;
    }
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return true;
  }
  return false;
}

// The text of a field; nothing when its bytes are not code page 932 or hold a control
// character.
std::optional<QString> FieldText(const std::string& bytes, bool lineBreaks, Refusal* refusal) {
  bool lossless = true;
  QString text = FromCp932(bytes, &lossless);
  if (!lossless) {
    *refusal = {400, QStringLiteral("シフトJISとして読めない文字があります。")};
    return std::nullopt;
  }
  if (HasControlCharacter(text, lineBreaks)) {
    *refusal = {400, QStringLiteral("使えない制御文字が含まれています。")};
    return std::nullopt;
  }
  return text;
}

std::optional<Refusal> RecipientRefusal(const QString& to, const RecipientList& list) {
  using Fault = RecipientList::Fault;
  switch (list.fault) {
    case Fault::kNone:
      return std::nullopt;
    case Fault::kEmptyItem:
      return Refusal{400, to.trimmed().isEmpty() ? QStringLiteral("宛先を指定してください。")
                                                 : QStringLiteral("宛先に空の項目があります。")};
    case Fault::kNotAMailbox:
      return Refusal{400, QStringLiteral("宛先「%1」は正しいメールアドレスではありません。")
                              .arg(list.offending.left(100))};
    case Fault::kTooMany:
      return Refusal{400, QStringLiteral("宛先は%1件までです。").arg(kMaxRecipients)};
  }
  return std::nullopt;
}

std::optional<Refusal> PictureRefusal(PictureFault fault) {
  switch (fault) {
    case PictureFault::kNone:
      return std::nullopt;
    case PictureFault::kNotAPicture:
      return Refusal{400, QStringLiteral("画像はGIF、JPEG、PNGのいずれかにしてください。")};
    case PictureFault::kTooManyBytes:
      return Refusal{400, QStringLiteral("画像は%1KiBまでです。").arg(kMaxPictureBytes / 1024)};
    case PictureFault::kTooLarge:
      return Refusal{400,
                     QStringLiteral("画像の大きさは%1×%1ピクセルまでです。").arg(kMaxPictureSide)};
    case PictureFault::kUndecodable:
      break;
  }
  return Refusal{400, QStringLiteral("画像を読み込めません。")};
}

}  // namespace

std::variant<MailRequest, Refusal> CheckUpload(std::string_view body) {
  UploadBodyFault fault = UploadBodyFault::kNone;
  const std::optional<ParsedUpload> parsed = ParseUploadBody(body, &fault);
  if (!parsed) return Refusal{400, LayoutReason(fault)};
  const UploadFields& fields = parsed->fields;

  Refusal refusal;
  const auto userId = FieldText(fields.userId, false, &refusal);
  const auto password = userId ? FieldText(fields.password, false, &refusal) : std::nullopt;
  const auto from = password ? FieldText(fields.from, false, &refusal) : std::nullopt;
  const auto to = from ? FieldText(fields.to, false, &refusal) : std::nullopt;
  const auto subject = to ? FieldText(fields.subject, false, &refusal) : std::nullopt;
  const auto message = subject ? FieldText(fields.message, true, &refusal) : std::nullopt;
  if (!message) return refusal;
  // The composer sends its user ID twice; anything else is not our client.
  if (fields.from != fields.userId)
    return Refusal{400, QStringLiteral("差出人がユーザーIDと一致しません。")};

  const RecipientList recipients = RecipientList::Parse(*to);
  if (auto refused = RecipientRefusal(*to, recipients)) return *refused;

  MailRequest request;
  if (auto refused = PictureRefusal(CheckPictureHeader(parsed->picture, &request.pictureKind)))
    return *refused;
  request.userId = *userId;
  request.password = password->toStdString();
  request.recipients = recipients.mailboxes;
  request.subject = *subject;
  request.message = *message;
  request.picture = parsed->picture;
  return request;
}

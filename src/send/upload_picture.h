#pragma once

#include "platform/internet_session.h"
#include "send/upload_body.h"

class CNoticeDlg;
class CSettingsStore;

// Posts the picture at AttachmentPath() with the account and the mail texts to the service's
// CGI on the `Server` host and reads the reply to its end, whatever its status. Returns 1 then.
//
// `texts` are the send dialog's edits as they stand; the caller hands the message over with
// CR LF line breaks (a QPlainTextEdit's "\n" becomes "\r\n").
// `progress`, when given, shows "送信しています..." for the duration and is hidden again on
// every outcome. The store's account and server are re-read before the request.
//
// Blocks the calling thread. Throws InternetError (network), FileError (attachment missing or
// unreadable, detected before any byte of the body is sent) or UnsendableTextError; callers
// run it through RunReportingErrors. Nothing stays open after it returns or throws.
int UploadPicture(const UploadTexts& texts, CNoticeDlg* progress, CSettingsStore& store,
                  const TransferLimits& limits = {});

#pragma once

#include "platform/internet_session.h"
#include "send/upload_body.h"

class CNoticeDlg;
class QWidget;
class CSettingsStore;

// Posts the picture at AttachmentPath() with the account and the mail texts to the service's
// CGI on the `Server` host and reads the reply to its end. Returns 1 when the reply's status is
// below 400 (redirects included: the service may send one after taking the mail); a line
// "album=<digits>" in the reply is stored as `AlbumNumber`.
//
// `texts` are the send dialog's edits as they stand; the caller hands the message over with
// CR LF line breaks (a QPlainTextEdit's "\n" becomes "\r\n").
// `progress`, when given, shows "送信しています..." for the duration, modally, and is hidden
// again on every outcome. The store's account and server are re-read before the request.
//
// The network and file steps run on a thread of their own while the calling (user-interface)
// thread keeps its events flowing, so windows stay painted; the call returns when they have
// ended, within the limits given (by default at most five minutes for the whole request).
// Nothing is sent, and InternetError says where to set it, when the server is not set or not
// valid. After `limits.offerStopAfter` the notice offers a stop button, which ends the transfer
// at once with UploadCancelled.
// Throws InternetError (network and time limits: the message says in Japanese what failed,
// naming the server, and gives the transfer library's text on a second line; a status of 400 or
// above: the message names the status and the reply's first line), FileError (attachment
// missing, unreadable or not a regular file, detected before any byte of the body is sent) or
// UnsendableTextError; callers run it through RunReportingErrors. Nothing stays open after it
// returns or throws.
// `opener` is the window the notice stands above (by default the active one).
int UploadPicture(const UploadTexts& texts, CNoticeDlg* progress, CSettingsStore& store,
                  const TransferLimits& limits = {}, QWidget* opener = nullptr);

// The user stopped the upload with the progress notice's stop button.
class UploadCancelled : public InternetError {
 public:
  UploadCancelled();
};

#!/usr/bin/python3
"""Reads the mails of a Maildir with Python's own MIME parser.

    read_mail.py MAILDIR            every mail as JSON, oldest first
    read_mail.py --follow MAILDIR   a line for each mail as it arrives, until ended

The JSON gives per mail its envelope, decoded headers, the text part, each attachment (type,
file name, bytes in base64) and the longest line and whether every line is ASCII with CR LF.
"""
import base64
import email
import email.policy
import json
import os
import sys
import time


def lines_of(raw):
    body = raw.split(b"\r\n")
    return {
        "crlf_only": b"\n" not in raw.replace(b"\r\n", b""),
        "ascii_only": all(b < 128 for b in raw),
        "longest_line": max(len(line) for line in body),
    }


def describe(raw):
    message = email.message_from_bytes(raw, policy=email.policy.default)
    mail = {
        "return_path": str(message.get("Return-Path", "")),
        "envelope_to": str(message.get("X-Envelope-To", "")),
        "from": str(message.get("From", "")),
        "to": [str(a.addr_spec) for a in message["To"].addresses] if message["To"] else [],
        "subject": str(message.get("Subject", "")),
        "date": str(message.get("Date", "")),
        "message_id": str(message.get("Message-ID", "")),
        "content_type": message.get_content_type(),
        "defects": [type(d).__name__ for d in message.defects],
        "text": None,
        "attachments": [],
    }
    mail.update(lines_of(raw))
    if not message.is_multipart() and message.get_content_type() == "text/plain":
        mail["text"] = message.get_content()
        mail["text_charset"] = message.get_content_charset()
    for part in message.iter_parts() if message.is_multipart() else []:
        if part.get_content_disposition() == "attachment":
            mail["attachments"].append({
                "content_type": part.get_content_type(),
                "filename": part.get_filename(),
                "base64": base64.b64encode(part.get_content()).decode("ascii"),
            })
        elif part.get_content_type() == "text/plain":
            mail["text"] = part.get_content()
            mail["text_charset"] = part.get_content_charset()
    return mail


def messages(maildir):
    folder = os.path.join(maildir, "new")
    names = sorted(os.listdir(folder), key=lambda n: os.stat(os.path.join(folder, n)).st_mtime_ns) \
        if os.path.isdir(folder) else []
    for name in names:
        with open(os.path.join(folder, name), "rb") as f:
            yield name, f.read()


def follow(maildir):
    seen = set()
    while True:
        for name, raw in messages(maildir):
            if name in seen:
                continue
            seen.add(name)
            mail = describe(raw)
            pictures = ", ".join("%s %d bytes" % (a["content_type"], len(base64.b64decode(a["base64"])))
                                 for a in mail["attachments"]) or "no attachment"
            print("mail: From %s  To %s  Subject %s  (%s)" % (
                mail["from"], ", ".join(mail["to"]), mail["subject"], pictures), flush=True)
        time.sleep(0.3)


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--follow":
        follow(sys.argv[2])
    elif len(sys.argv) == 2:
        json.dump([describe(raw) for _, raw in messages(sys.argv[1])], sys.stdout, ensure_ascii=False)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()

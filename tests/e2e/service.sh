# The receiving service for a run on this machine, sourced by tests/e2e/run and scripts/demo:
# the SMTP sink, the service's configuration and database with one account, lighttpd on
# 127.0.0.1 running writefile.cgi, and a check of the mail that arrived. Expects `pids` (an
# array of processes to end at exit), `fail` and `source_dir`.

service_python=/usr/bin/python3

answers() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

# service_sink FOLDER: the SMTP sink on 127.0.0.1, keeping mails in FOLDER/mail/maildir; sets
# SERVICE_SMTP_PORT.
service_sink() {
  local folder=$1 _
  mkdir -p "$folder/mail"
  "$service_python" "$source_dir/tests/support/smtp_sink.py" "$folder/mail/maildir" \
    "$folder/mail/port" 2>"$folder/mail/sink.log" &
  pids+=("$!")
  for _ in $(seq 100); do [ -s "$folder/mail/port" ] && break; sleep 0.05; done
  [ -s "$folder/mail/port" ] || fail "the SMTP sink did not start: $(cat "$folder/mail/sink.log")"
  SERVICE_SMTP_PORT=$(cat "$folder/mail/port")
}

# service_setup FOLDER PREFIX USER PASSWORD: the sink, the configuration FOLDER/service.conf,
# the database FOLDER/service.db and the account USER; sets SERVICE_ALBUM to its album number.
service_setup() {
  local folder=$1 prefix=$2 user=$3 password=$4
  service_sink "$folder"
  cat > "$folder/service.conf" <<CONF
[database]
driver = sqlite
path = $folder/service.db

[relay]
host = 127.0.0.1
port = $SERVICE_SMTP_PORT
CONF
  export QUILLORA_SERVICE_CONF=$folder/service.conf
  SERVICE_ALBUM=$(printf '%s\n' "$password" | "$prefix/sbin/quillora-service" user add "$user") ||
    fail "quillora-service user add failed"
  SERVICE_ALBUM=${SERVICE_ALBUM##*album=}
}

# service_lighttpd FOLDER: lighttpd on a free port of 127.0.0.1 serving FOLDER/htdocs, every
# *.cgi run as a CGI program with QUILLORA_SERVICE_CONF set; sets SERVICE_PORT.
service_lighttpd() {
  local folder=$1 candidate server _
  SERVICE_PORT=
  # A free port can be taken between the look and lighttpd's bind: a few tries.
  for _ in 1 2 3; do
    candidate=$((20000 + RANDOM % 30000))
    answers "$candidate" && continue
    cat > "$folder/lighttpd.conf" <<CONF
server.document-root = "$folder/htdocs"
server.bind = "127.0.0.1"
server.port = $candidate
server.modules = ("mod_setenv", "mod_cgi")
server.errorlog = "$folder/error.log"
server.upload-dirs = ("$folder")
cgi.assign = (".cgi" => "")
setenv.add-environment = ("QUILLORA_SERVICE_CONF" => "$folder/service.conf")
CONF
    /usr/sbin/lighttpd -D -f "$folder/lighttpd.conf" 2>>"$folder/error.log" &
    server=$!
    for _ in $(seq 50); do
      answers "$candidate" && break
      kill -0 "$server" 2>/dev/null || break
      sleep 0.05
    done
    if answers "$candidate"; then
      pids+=("$server")
      SERVICE_PORT=$candidate
      return 0
    fi
    kill "$server" 2>/dev/null || true
  done
  fail "lighttpd did not start"
}

# service_check_mail FOLDER USER RECIPIENT SUBJECT: one mail arrived from USER to RECIPIENT with
# that subject and, attached, the very GIF that the request in FOLDER/records/body carried (a GIF,
# when no request was kept).
service_check_mail() {
  local folder=$1 _
  for _ in $(seq 100); do [ -n "$(ls -A "$folder/mail/maildir/new" 2>/dev/null)" ] && break; sleep 0.1; done
  "$service_python" "$source_dir/tests/support/read_mail.py" "$folder/mail/maildir" > "$folder/mails.json" ||
    fail "the mails cannot be read"
  "$service_python" - "$folder/mails.json" "$folder/records/body" "$2" "$3" "$4" <<'PY' ||
import base64, json, sys
mails = json.load(open(sys.argv[1]))
user, recipient, subject = sys.argv[3:6]
picture = None
try:
    body = open(sys.argv[2], "rb").read()
    delimiter = b"---------------------------7d01777301a2"
    # The picture runs from the delimiter line after the message to the closing delimiter.
    start = body.index(b"\r\n--" + delimiter + b"\r\n", body.index(b"\r\nSubject: ")) + len(delimiter) + 6
    picture = body[start:len(body) - len(delimiter) - 6]
except FileNotFoundError:
    pass
assert len(mails) == 1, "%d mails arrived" % len(mails)
mail = mails[0]
assert mail["from"] == user, mail["from"]
assert recipient in mail["to"], mail["to"]
assert mail["subject"] == subject, mail["subject"]
assert [a["content_type"] for a in mail["attachments"]] == ["image/gif"], mail["attachments"]
attached = base64.b64decode(mail["attachments"][0]["base64"])
if picture is None:
    assert attached.startswith(b"GIF8"), "the attachment is no GIF"
else:
    assert attached == picture, "the attachment differs"
PY
    fail "the mail is not the one sent"
}

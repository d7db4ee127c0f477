#!/usr/bin/python3
"""A real SMTP server that keeps every mail it accepts in a Maildir (tests and the demo).

    smtp_sink.py MAILDIR PORT_FILE [--refuse PREFIX]... [--defer PREFIX]...

It listens on 127.0.0.1 on a free port and writes the port into PORT_FILE once it accepts
connections. A recipient whose local part starts with a --refuse prefix is refused for good
(550), one with a --defer prefix for now (451). Each stored mail starts with Return-Path and
X-Envelope-To lines holding its envelope, as a delivery agent would add them.
"""
import argparse
import asyncio
import mailbox
import os
import signal
import socket

from aiosmtpd.smtp import SMTP


class Sink:
    def __init__(self, maildir, refuse, defer):
        self.maildir = mailbox.Maildir(maildir, create=True)
        self.refuse = [p.lower() for p in refuse]
        self.defer = [p.lower() for p in defer]

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        local = address.split("@")[0].lower()
        if any(local.startswith(p) for p in self.refuse):
            return "550 5.1.1 Recipient refused by the sink"
        if any(local.startswith(p) for p in self.defer):
            return "451 4.3.0 Recipient deferred by the sink"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        head = "Return-Path: <%s>\r\nX-Envelope-To: %s\r\n" % (
            envelope.mail_from, ", ".join(envelope.rcpt_tos))
        self.maildir.add(head.encode("ascii") + envelope.original_content)
        return "250 OK stored"


class Session(SMTP):
    """Sends each reply line at once: aiosmtpd writes a multi-line reply line by line, which
    Nagle's algorithm would hold back for a delayed acknowledgement (some 40 ms)."""

    def connection_made(self, transport):
        sock = transport.get_extra_info("socket")
        if sock is not None:
            sock.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        super().connection_made(transport)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("maildir")
    parser.add_argument("port_file")
    parser.add_argument("--refuse", action="append", default=[])
    parser.add_argument("--defer", action="append", default=[])
    args = parser.parse_args()

    sink = Sink(args.maildir, args.refuse, args.defer)
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    loop = asyncio.new_event_loop()
    server = loop.run_until_complete(loop.create_server(
        lambda: Session(sink, hostname="sink.localhost", decode_data=False), sock=listener))
    port_file_part = args.port_file + ".part"
    with open(port_file_part, "w") as f:
        f.write("%d\n" % listener.getsockname()[1])
    os.rename(port_file_part, args.port_file)
    for sig in (signal.SIGTERM, signal.SIGINT):
        loop.add_signal_handler(sig, loop.stop)
    loop.run_forever()
    server.close()


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""FTP server for the FTP client tests, on 127.0.0.1 with a free port.

Prints the chosen port on the first line of its output, then serves until it
is killed. Options:
  --user NAME:PASSWORD:PERMS:HOME   a user (repeatable); PERMS as pyftpdlib's
                                    ("elradfmwMT" is everything)
  --drop-after N     close the control and data connections once a transfer
                     has moved N bytes (a server that dies mid-transfer)
  --cut-after N      on an upload, stop reading after N bytes, close the data
                     connection and still answer 226
  --silent CMD       never answer the command CMD (repeatable)
  --rate N           limit every data connection to N bytes per second
  --read-rate N      read uploads at N bytes per second, in bursts of a
                     tenth of that every tenth of a second (a server that
                     reads slower than the client writes: the client's
                     socket fills up and the kernel takes part of a block)
  --receive-buffer N keep every data connection's receive buffer at N bytes
                     (SO_RCVBUF; the kernel no longer grows it), so that what
                     the server has not read yet stays mostly on the
                     client's side, as behind a slow line
  --stop-reading-after N
                     on an upload, read N bytes, then nothing more, holding
                     the connection open (a server that stalls)
  --banner-code C    greet with code C instead of 220 and hang up
"""
import argparse
import socket
import sys
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--user", action="append", default=[])
    parser.add_argument("--drop-after", type=int, default=-1)
    parser.add_argument("--cut-after", type=int, default=-1)
    parser.add_argument("--silent", action="append", default=[])
    parser.add_argument("--rate", type=int, default=0)
    parser.add_argument("--read-rate", type=int, default=0)
    parser.add_argument("--receive-buffer", type=int, default=0)
    parser.add_argument("--stop-reading-after", type=int, default=-1)
    parser.add_argument("--banner-code", type=int, default=220)
    args = parser.parse_args()

    authorizer = DummyAuthorizer()
    for account in args.user:
        name, password, perms, home = account.split(":", 3)
        authorizer.add_user(name, password, home, perm=perms)

    throttled = args.rate > 0 or args.read_rate > 0
    base_dtp = ThrottledDTPHandler if throttled else DTPHandler

    class TestDTP(base_dtp):
        if args.rate > 0:
            read_limit = args.rate
            write_limit = args.rate
        if args.read_rate > 0:
            read_limit = args.read_rate
            # One read takes at most a tenth of a second's share, so a low
            # rate is kept too (the base class reads 64 KiB at a time).
            ac_in_buffer_size = max(1, min(65536, args.read_rate // 10))

        if args.read_rate > 0:
            def _throttle_bandwidth(self, len_chunk, max_speed):
                # The base class's accounting in windows of a tenth of a
                # second instead of one (and without its doubled pause):
                # reading stops for the rest of a window once the window's
                # share is read.
                self._datacount += len_chunk
                if self._datacount < max_speed / 10:
                    return
                self._datacount = 0
                now = time.monotonic()
                if self._timenext <= now:
                    self._timenext = now + 0.1
                    return
                sleepfor = self._timenext - now
                self._timenext += 0.1

                def unsleep():
                    self.add_channel(events=self.ioloop.READ if self.receive else self.ioloop.WRITE)

                self.del_channel()
                self._cancel_throttler()
                self._throttler = self.ioloop.call_later(sleepfor, unsleep, _errback=self.handle_error)

        def __init__(self, sock, cmd_channel):
            if args.receive_buffer > 0:
                sock.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, args.receive_buffer)
            super().__init__(sock, cmd_channel)

        def _moved(self):
            return self.tot_bytes_sent + self.tot_bytes_received

        def _check_drop(self):
            if args.drop_after >= 0 and self._moved() >= args.drop_after:
                cmd = self.cmd_channel
                self.ioloop.call_later(0, cmd.close)

        def send(self, data):
            if args.drop_after >= 0:
                room = args.drop_after - self.tot_bytes_sent
                if room <= 0:
                    self._check_drop()
                    return 0
                data = data[:room]
            result = super().send(data)
            self._check_drop()
            return result

        def handle_read(self):
            if args.stop_reading_after >= 0 and self.tot_bytes_received >= args.stop_reading_after:
                # Stalled: no more reading, and no more read events either.
                self.del_channel()
                return
            if args.cut_after >= 0 and self.tot_bytes_received >= args.cut_after:
                self.transfer_finished = True
                self._resp = ("226 Transfer complete.", lambda *a: None)
                self.close()
                return
            super().handle_read()
            self._check_drop()

        # The base class binds the event to its own reader.
        handle_read_event = handle_read

    class TestHandler(FTPHandler):
        def handle(self):
            if args.banner_code != 220:
                self.respond("%d Service not available." % args.banner_code)
                self.close_when_done()
                return
            super().handle()

        def pre_process_command(self, line, cmd, arg):
            if cmd in args.silent:
                return
            super().pre_process_command(line, cmd, arg)

    TestHandler.authorizer = authorizer
    # Every byte goes through send(), so that the drop option sees it.
    TestHandler.use_sendfile = False
    TestHandler.dtp_handler = TestDTP
    TestHandler.banner = "Brivex test server ready."
    TestHandler.passive_ports = None
    TestHandler.permit_foreign_addresses = False

    server = FTPServer(("127.0.0.1", 0), TestHandler)
    print(server.socket.getsockname()[1], flush=True)
    sys.stdout.flush()
    server.serve_forever(handle_exit=True)


if __name__ == "__main__":
    main()

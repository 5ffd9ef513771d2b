"""An FTP server for the publishing tests, on pyftpdlib: serves one folder to
one user on 127.0.0.1, plain or with explicit TLS, logs every command to a
file, and can drop the connection when a given upload begins.

Prints the port it listens on as one line, then serves until killed.
"""
import argparse
import logging
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, TLS_FTPHandler
from pyftpdlib.servers import FTPServer


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--log", required=True)
    parser.add_argument("--cert")
    parser.add_argument("--key")
    parser.add_argument("--drop-at-upload", type=int, default=0,
                        help="close the connection when upload number N begins")
    args = parser.parse_args()

    logging.basicConfig(filename=args.log, level=logging.INFO, format="%(message)s")
    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm="elradfmwMT")

    base = TLS_FTPHandler if args.cert else FTPHandler
    uploads = [0]

    class Handler(base):
        def ftp_STOR(self, file, mode="w"):
            uploads[0] += 1
            if uploads[0] == args.drop_at_upload:
                logging.info("dropping the connection at upload %d", uploads[0])
                self.close()
                return None
            return super().ftp_STOR(file, mode)

    Handler.authorizer = authorizer
    Handler.permit_foreign_addresses = False
    Handler.passive_ports = None
    if args.cert:
        Handler.certfile = args.cert
        Handler.keyfile = args.key
        Handler.tls_control_required = True
        Handler.tls_data_required = True
    server = FTPServer(("127.0.0.1", 0), Handler)
    print(server.address[1], flush=True)
    sys.stdout.close()
    server.serve_forever(handle_exit=True)


if __name__ == "__main__":
    main()

"""FTP server for the update's tests, on the loopback interface only.

Arguments: root folder, account name, password, seconds to live, bytes per second to send
(0: no limit). The server picks a free port and prints it on its first output line. It ends
by itself after its time, or as soon as its standard input closes (the test ended).
"""
import logging
import os
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer


def main():
    root, user, password = sys.argv[1], sys.argv[2], sys.argv[3]
    lifetime, rate = float(sys.argv[4]), int(sys.argv[5])
    logging.basicConfig(level=logging.ERROR)
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, root, perm="elr")
    handler = FTPHandler
    handler.authorizer = authorizer
    if rate > 0:
        throttled = ThrottledDTPHandler
        throttled.read_limit = rate
        throttled.write_limit = rate
        handler.dtp_handler = throttled
    server = FTPServer(("127.0.0.1", 0), handler)
    print(server.address[1], flush=True)

    def end_with_test():
        sys.stdin.read()
        os._exit(0)

    threading.Thread(target=end_with_test, daemon=True).start()
    threading.Timer(lifetime, lambda: os._exit(0)).start()
    server.serve_forever()


if __name__ == "__main__":
    main()

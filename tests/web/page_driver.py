"""What the web edition's browser checks and measures share: the built site
served on a free local port, and Debian's headless Chromium driven through
Selenium and chromium-driver, offline."""
import functools
import http.server
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve(site):
    """Serves the folder `site` on 127.0.0.1 in a thread; returns the server
    and the page's address. Stop it with server.shutdown()."""
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0),
                                             functools.partial(QuietHandler, directory=site))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, f"http://127.0.0.1:{server.server_address[1]}/"


def chromium():
    """A headless Chromium that reaches nothing beyond this machine."""
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--disable-background-networking", "--disable-extensions", "--no-first-run",
                     "--window-size=1100,1000"):
        options.add_argument(argument)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)

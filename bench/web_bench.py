"""Measures the web edition in headless Chromium and prints one figure a line
("name value"): the site's size, the first drawn frame after navigation, the
time of a tick with its drawing, and the pacing of a full run.

usage: /usr/bin/python3 bench/web_bench.py SITE_DIR [REPEATS]
"""
import functools
import http.server
import os
import sys
import threading

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve(site):
    handler = functools.partial(QuietHandler, directory=site)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def browser():
    options = Options()
    for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                 "--disable-background-networking", "--disable-extensions", "--no-first-run",
                 "--window-size=1100,1000"):
        options.add_argument(flag)
    options.binary_location = "/usr/bin/chromium"
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def median(values):
    values = sorted(values)
    middle = len(values) // 2
    return values[middle] if len(values) % 2 else (values[middle - 1] + values[middle]) / 2


def percentile(values, share):
    values = sorted(values)
    return values[min(len(values) - 1, int(share * len(values)))]


def main():
    site = sys.argv[1]
    repeats = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    size = sum(os.path.getsize(os.path.join(site, name)) for name in os.listdir(site))
    print(f"site_kb {size / 1000:.1f}")

    server = serve(site)
    base = f"http://127.0.0.1:{server.server_address[1]}/"
    driver = browser()
    wait = WebDriverWait(driver, 120)
    try:
        first = []
        for _ in range(repeats + 1):
            driver.get(base + "?cold=" + str(len(first)))
            wait.until(lambda d: d.execute_script("return window.switchsim && window.switchsim.firstFrameMs"))
            first.append(driver.execute_script("return window.switchsim.firstFrameMs"))
        print(f"first_frame_ms {median(first[1:]):.1f}")  # the first load also fills the cache

        # The busiest run: a packet run's many units, four times as fast.
        driver.get(base + "?technique=Packet&size=1000&start=1&speed=4")
        wait.until(lambda d: d.execute_script(
            "return window.switchsim && window.switchsim.runs().some((r) => r.end !== undefined)"))
        timings = driver.execute_script("return window.switchsim.tickTimings()")
        print(f"tick_p99_ms {percentile(timings, 0.99):.3f}")
        print(f"tick_median_ms {median(timings):.3f}")

        ratios = []
        for _ in range(max(1, repeats // 2)):
            driver.get(base + "?technique=Message&start=1&speed=1")
            wait.until(lambda d: d.execute_script(
                "return window.switchsim && window.switchsim.runs().some((r) => r.end !== undefined)"))
            run = driver.execute_script("return window.switchsim.runs()[0]")
            ratios.append((run["reached"] - run["start"]) * run["speed"] / 15000.0)
        print(f"run_ratio {median(ratios):.5f}")
    finally:
        driver.quit()
        server.shutdown()


if __name__ == "__main__":
    main()

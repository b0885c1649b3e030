"""Measures the web edition in headless Chromium and prints one figure a line
("name value"): the site's size, the first drawn frame after navigation (also
on a phone with a processor four times slower), the time of a tick with its
drawing (also with the form at 200 %), the pacing of a full run, the
longest task of a curve made, listed and chosen from (also on a phone with a
processor six times slower), and the wall time and longest task of a lab's run.

usage: /usr/bin/python3 bench/web_bench.py SITE_DIR [REPEATS]
"""
import os
import sys

from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
import page_driver  # noqa: E402  (shared with the browser checks)


def median(values):
    values = sorted(values)
    middle = len(values) // 2
    return values[middle] if len(values) % 2 else (values[middle - 1] + values[middle]) / 2


def percentile(values, share):
    values = sorted(values)
    return values[min(len(values) - 1, int(share * len(values)))]


def explore_sweep(driver, wait, address, listed=False):
    """Draws a curve of 50 sizes x 3 techniques x 5 seeds in the Explore section of the page at
    `address`; returns the ms from Draw to its last run and the longest task the page ran until
    it was drawn (if `listed`, until its numbers, open, were all listed, and a point tapped)."""
    driver.get(address)
    WebDriverWait(driver, 120).until(lambda d: d.execute_script(
        "return window.switchsim && window.switchsim.firstFrameMs"))
    # Explore opens first, as a user opens it before drawing.
    driver.execute_script(
        "switchsim.page.explore.toggle(true);"
        "document.getElementById('curveNumbers').open = arguments[0];"
        "for (const [id, v] of [['sweepFrom', '20'], ['sweepTo', '1000'], ['sweepStep', '20'],"
        " ['sweepSeeds', '5']]) document.getElementById(id).value = v;", listed)
    driver.execute_async_script("requestAnimationFrame(() => setTimeout(arguments[0], 50))")
    driver.execute_script(
        "window.longTasks = [];"
        "new PerformanceObserver((list) => window.longTasks.push("
        "...list.getEntries().map((e) => e.duration))).observe({type: 'longtask'});"
        "switchsim.page.explore.begin();")
    wait.until(lambda d: d.execute_script(
        "const e = switchsim.page.explore;"
        "return e.done && (!arguments[0] || (!!e.listing && e.listing.rows === e.numbers.rows.length))", listed))
    tapped = 0
    if listed:
        tapped = driver.execute_script(
            "const canvas = document.getElementById('curve'), e = switchsim.page.explore;"
            "const point = e.drawing.items.filter((item) => item.k === 'circle')[7];"
            "const r = canvas.getBoundingClientRect(), scale = canvas.clientWidth / e.drawing.width / 100;"
            "const begun = performance.now();"
            "canvas.dispatchEvent(new PointerEvent('click', {bubbles: true, pointerType: 'touch',"
            " clientX: r.left + point.x * scale, clientY: r.top + point.y * scale}));"
            "return performance.now() - begun;")
        # The frames the tap brings (its run starts in the form) are counted too.
        driver.execute_async_script("requestAnimationFrame(() => requestAnimationFrame(arguments[0]))")
    return driver.execute_script("return switchsim.page.explore.lastMs"), max(tapped, driver.execute_script(
        "return Math.max(switchsim.page.explore.longestTask, ...window.longTasks)"))


def lab_run(driver, wait, address):
    """Runs the shared link's lab of 100 users for 1,000,000 slots in the Labs section of the page at
    `address`; returns the ms from Run to its last slice and the longest task the page ran meanwhile."""
    driver.get(address)
    WebDriverWait(driver, 120).until(lambda d: d.execute_script(
        "return window.switchsim && window.switchsim.firstFrameMs"))
    driver.execute_script(
        "switchsim.page.labs.toggle(true);"
        "document.getElementById('labBox-users').value = '100';"
        "document.getElementById('labBox-slots').value = '1000000';")
    driver.execute_async_script("requestAnimationFrame(() => setTimeout(arguments[0], 50))")
    driver.execute_script(
        "window.longTasks = [];"
        "new PerformanceObserver((list) => window.longTasks.push("
        "...list.getEntries().map((e) => e.duration))).observe({type: 'longtask'});"
        "switchsim.page.labs.start();")
    wait.until(lambda d: d.execute_script("return switchsim.page.labs.done"))
    # The frame that shows the finished run is counted too.
    driver.execute_async_script("requestAnimationFrame(() => requestAnimationFrame(arguments[0]))")
    return driver.execute_script("return switchsim.page.labs.lastMs"), driver.execute_script(
        "return Math.max(switchsim.page.labs.longestTask, ...window.longTasks)")


def main():
    site = sys.argv[1]
    repeats = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    size = sum(os.path.getsize(os.path.join(site, name)) for name in os.listdir(site))
    print(f"site_kb {size / 1000:.1f}")

    server, base = page_driver.serve(site)
    driver = page_driver.chromium()
    wait = WebDriverWait(driver, 120)
    try:
        # A returning visitor's loads: the first visit fills the browser's
        # cache and the worker's, and the worker takes the page.
        driver.get(base + "?first=1")
        wait.until(lambda d: d.execute_script(
            "return !!navigator.serviceWorker.controller || (location.reload(), false)"))
        first = []
        for _ in range(repeats):
            driver.get(base + "?cold=" + str(len(first)))
            wait.until(lambda d: d.execute_script("return window.switchsim && window.switchsim.firstFrameMs"))
            first.append(driver.execute_script("return window.switchsim.firstFrameMs"))
        print(f"first_frame_ms {median(first):.1f}")

        # The busiest runs: packets of a long message, four times as fast,
        # one after the other in the same page, as a lesson runs them.
        driver.get(base + "?technique=Packet&size=1000&start=1&speed=4")
        for run in range(1, repeats + 1):
            wait.until(lambda d: d.execute_script(
                "return window.switchsim && window.switchsim.runs().filter((r) => r.end !== undefined)"
                ".length >= arguments[0]", run))
            if run < repeats:
                driver.find_element("id", "cmdStart0").click()  # Reset
                driver.find_element("id", "cmdStart0").click()  # Start
        timings = driver.execute_script("return window.switchsim.tickTimings()")
        print(f"tick_p99_ms {percentile(timings, 0.99):.3f}")
        print(f"tick_median_ms {median(timings):.3f}")

        # The same runs with the form shown at twice its size.
        driver.get(base + "?technique=Packet&size=1000&start=1&speed=4&zoom=200")
        wait.until(lambda d: d.execute_script(
            "return window.switchsim && window.switchsim.runs().some((r) => r.end !== undefined)"))
        timings = driver.execute_script("return window.switchsim.tickTimings()")
        print(f"tick_200_p99_ms {percentile(timings, 0.99):.3f}")

        # A curve of 50 sizes x 3 techniques x 5 seeds, made between frames:
        # its wall time, and the longest task the page ran meanwhile.
        sweeps, longest = [], []
        for n in range(repeats):
            ms, task = explore_sweep(driver, wait, base + "?sweep=" + str(n))
            sweeps.append(ms)
            longest.append(task)
        print(f"sweep_ms {median(sweeps):.1f}")
        print(f"sweep_longest_task_ms {max(longest):.1f}")

        # The shared link's lab, 100 users for 1,000,000 slots, made between frames.
        labs = [lab_run(driver, wait, base + "?lab=" + str(n)) for n in range(repeats)]
        print(f"lab_ms {median([ms for ms, _ in labs]):.1f}")
        print(f"lab_longest_task_ms {max(task for _, task in labs):.1f}")

        # A phone: its screen, and a processor four times slower.
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": 390, "height": 844, "deviceScaleFactor": 3, "mobile": True})
        driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": 4})
        first = []
        for _ in range(repeats + 1):
            driver.get(base + "?phone=" + str(len(first)))
            wait.until(lambda d: d.execute_script("return window.switchsim && window.switchsim.firstFrameMs"))
            first.append(driver.execute_script("return window.switchsim.firstFrameMs"))
        print(f"phone_first_frame_ms {median(first[1:]):.1f}")
        # The same curve on a phone six times slower, its numbers open and listed, and a point tapped.
        driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": 6})
        longest = [explore_sweep(driver, wait, base + "?phone_sweep=" + str(n), listed=True)[1]
                   for n in range(repeats)]
        # A median, as the other figures: a phone six times slower feels every other load on the machine.
        print(f"phone_explore_longest_task_ms {median(longest):.1f}")
        driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": 1})
        driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})

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

#!/usr/bin/python3
"""The web catalog against the fine folder catalog, and in headless Chromium.

Usage: bench/site_bench.py QUIRAL_CLI [FOLDER] (default /usr/share/kicad/symbols).
Prints: the time and size of `quiral-cli site FOLDER` and of `quiral-cli catalog FOLDER --kind
drawings --fine`; Device's first screen (navigation start to the first contentful paint and to
the load event) and the time of one search keystroke over every name (the median of 20)."""

import os
import statistics
import subprocess
import sys
import tempfile
import time


def timed(command):
    start = time.monotonic()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.monotonic() - start


def size_of(path):
    if os.path.isfile(path):
        return os.path.getsize(path)
    return sum(os.path.getsize(os.path.join(d, f)) for d, _, files in os.walk(path) for f in files)


def browser(site):
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    options = webdriver.ChromeOptions()
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1280,900"):
        options.add_argument(argument)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        driver.get("file://" + os.path.join(site, "Device.html"))
        paint = driver.execute_script(
            "return performance.getEntriesByName('first-contentful-paint')[0].startTime")
        loaded = driver.execute_script(
            "const t = performance.getEntriesByType('navigation')[0]; return t.loadEventEnd")
        driver.execute_script("document.getElementById('search').focus()")
        driver.execute_script(
            "const i = document.getElementById('search'); i.value = 'x';"
            "i.dispatchEvent(new Event('input'))")
        time.sleep(3)  # the index loads
        keystrokes = driver.execute_script("""
            const input = document.getElementById('search'), times = [];
            for (const text of ['r', 're', 'res', 'resi', 'l', 'ld', 'ldo', 'u', 'us', 'usb',
                                'op', 'opa', 'opamp', 'stm32', 'stm32f4', '74', '74hc',
                                'sot', 'sot-23', 'c']) {
              const start = performance.now();
              input.value = text; input.dispatchEvent(new Event('input'));
              times.push(performance.now() - start);
            }
            return times;""")
        names = driver.execute_script("return quiralSearch('a', 0).length")
        return paint, loaded, statistics.median(keystrokes), max(keystrokes), names
    finally:
        driver.quit()


def main():
    cli = sys.argv[1]
    folder = sys.argv[2] if len(sys.argv) > 2 else "/usr/share/kicad/symbols"
    with tempfile.TemporaryDirectory() as work:
        site, pdf = os.path.join(work, "site"), os.path.join(work, "all.pdf")
        site_time = timed([cli, "site", folder, "-o", site])
        pdf_time = timed([cli, "catalog", folder, "--kind", "drawings", "--fine", "-o", pdf])
        site_size, pdf_size = size_of(site), size_of(pdf)
        files = sum(len(names) for _, _, names in os.walk(site))
        print("site: %.1f s, %.1f MB in %d files; fine PDF: %.1f s, %.1f MB; ratios %.2f (time), %.2f (size)" %
              (site_time, site_size / 1e6, files, pdf_time, pdf_size / 1e6, site_time / pdf_time,
               site_size / pdf_size))
        if os.path.exists(os.path.join(site, "Device.html")):
            paint, loaded, median, worst, names = browser(site)
            print("Device.html: first contentful paint %.0f ms, load event %.0f ms" % (paint, loaded))
            print("search keystroke: median %.1f ms, worst %.1f ms (the query 'a' finds %d names)" %
                  (median, worst, names))


if __name__ == "__main__":
    main()

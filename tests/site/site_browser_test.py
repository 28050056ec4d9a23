#!/usr/bin/python3
"""The web catalog in a real browser (headless Chromium through Selenium), and every page through
html5lib's strict parser. Usage: site_browser_test.py QUIRAL_CLI LIBRARY... (a few libraries: the
run must stay short). Exits 77 (skipped) when Chromium or its driver is missing."""

import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

SKIP = 77


def fail(text):
    print("FAIL: " + text)
    sys.exit(1)


def check(condition, text):
    if not condition:
        fail(text)


def validate_pages(site):
    import html5lib
    pages = sorted(f for f in os.listdir(site) if f.endswith(".html"))
    for page in pages:
        parser = html5lib.HTMLParser(strict=True)
        with open(os.path.join(site, page), "rb") as f:
            try:
                parser.parse(f.read())
            except Exception as error:  # html5lib raises ParseError with the first fault
                fail("%s is no valid HTML5: %s %s" % (page, error, parser.errors[:3]))
    return pages


def png_colours(data):
    """The distinct pixels of an 8-bit RGB or RGBA PNG (as Chromium's screenshots are)."""
    check(data[:8] == b"\x89PNG\r\n\x1a\n", "the screenshot is no PNG")
    pos, idat, width, height, kind = 8, b"", 0, 0, 0
    while pos < len(data):
        length, tag = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if tag == b"IHDR":
            width, height, depth, kind = struct.unpack(">IIBB", body[:10])
            check(depth == 8 and kind in (2, 6), "unexpected PNG format")
        elif tag == b"IDAT":
            idat += body
        pos += 12 + length
    size = 4 if kind == 6 else 3
    raw, stride = zlib.decompress(idat), width * size
    previous, colours = bytearray(stride), set()
    for y in range(height):
        kind_of_filter = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - size] if i >= size else 0
            up, corner = previous[i], previous[i - size] if i >= size else 0
            if kind_of_filter == 1:
                line[i] = (line[i] + left) & 255
            elif kind_of_filter == 2:
                line[i] = (line[i] + up) & 255
            elif kind_of_filter == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind_of_filter == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        for x in range(0, stride, size):
            colours.add(bytes(line[x:x + 3]))
        previous = line
    return colours


def cli_top_ten(cli, libraries, query):
    run = subprocess.run([cli, "search", *libraries, "--no-cache", "--json", "--limit", "10", "--",
                          query], capture_output=True, check=False)
    check(run.returncode in (0, 1), "quiral-cli search failed: %s" % run.stderr)
    return [[hit["library"], hit["name"]] for hit in json.loads(run.stdout or b"[]")]


QUERIES = ["R", "r", "res", "C", "cap pol", "led", "407v", "opamp", "dual op", "sot-23", "74 00",
           "lm 35", "nand", "NAND 2", "q_npn", "npn bce", "usb c", "device", "Ω", "zzzz", "-", "a b c",
           "diode schottky", "74xx", "ampl", "0603", "pin", "GND"]


def browser_checks(cli, site, libraries, pages):
    try:
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service
        from selenium.webdriver.common.by import By
        from selenium.webdriver.common.keys import Keys
        from selenium.webdriver.support.ui import WebDriverWait
    except ImportError:
        print("SKIP: python3-selenium is not installed")
        sys.exit(SKIP)
    options = webdriver.ChromeOptions()
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1200,900"):
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        url = lambda page: "file://" + os.path.join(site, page)

        # Every page: no console error, no failed request, no request to another place.
        for page in pages:
            driver.get(url(page))
            for end in (False, True):  # the first screen, then the last
                if end:
                    driver.execute_script("window.scrollTo(0, document.body.scrollHeight)")
                WebDriverWait(driver, 10).until(lambda d: d.execute_script(
                    "return Array.from(document.images).filter(i => {"
                    " const r = i.getBoundingClientRect(); return r.bottom > 0 && r.top < innerHeight;"
                    "}).every(i => i.complete)"))
            errors = [e for e in driver.get_log("browser") if e["level"] in ("SEVERE", "WARNING")]
            check(not errors, "%s: %s" % (page, errors))
            broken = driver.execute_script(
                "return Array.from(document.images).filter(i => i.complete && i.naturalWidth == 0)"
                ".map(i => i.src)")
            check(not broken, "%s: pictures not loaded: %s" % (page, broken[:3]))
            foreign = driver.execute_script(
                "return performance.getEntriesByType('resource').map(e => e.name)"
                ".filter(n => !n.startsWith('file://'))")
            check(not foreign, "%s requested %s" % (page, foreign))

        # Device's search: "R" first for "R"; the top ten of every query as quiral-cli's.
        driver.get(url("Device.html"))
        box = driver.find_element(By.ID, "search")
        box.send_keys("R")
        WebDriverWait(driver, 10).until(lambda d: d.find_elements(By.CSS_SELECTOR, "#results li"))
        first = driver.find_element(By.CSS_SELECTOR, "#results li b").text
        check(first == "R", "typing R shows %r first" % first)
        for query in QUERIES:
            browser = driver.execute_script("return quiralSearch(arguments[0], 10)", query)
            expected = cli_top_ten(cli, libraries, query)
            check(browser == expected, "query %r: browser %s, quiral-cli %s" % (query, browser, expected))

        # Choosing a result shows that symbol.
        box.send_keys(Keys.ARROW_DOWN, Keys.ENTER)
        WebDriverWait(driver, 10).until(lambda d: d.execute_script("return location.hash") == "#R")
        top = driver.execute_script("return document.getElementById('R').getBoundingClientRect().top")
        check(-5 <= top < 900, "the chosen symbol is not on show (top %s)" % top)

        # Its picture is drawn: the screenshot of its first picture is not one colour.
        picture = driver.find_element(By.CSS_SELECTOR, "#R img")
        WebDriverWait(driver, 10).until(lambda d: d.execute_script(
            "return arguments[0].complete && arguments[0].naturalWidth > 0", picture))
        check(len(png_colours(picture.screenshot_as_png)) > 2, "the picture of R is blank")

        # The pin table sorts, by number and by name, both ways.
        # The table is built from the library's pin script when the panel opens.
        section = driver.execute_script(
            "return Array.from(document.querySelectorAll('section.symbol')).find(s => {"
            " const t = Array.from(s.querySelectorAll('dl.fields dt')).find(d => d.textContent == 'Pins');"
            " return s.querySelector('div.pins') && t && Number(t.nextElementSibling.textContent) >= 8; })")
        check(section is not None, "no symbol with eight pins or more")
        check(not section.find_elements(By.CSS_SELECTOR, "table.pins"), "pin table before opening")
        reach = lambda element: driver.execute_script(
            "arguments[0].scrollIntoView({block: 'center'})", element) or element
        reach(section.find_element(By.TAG_NAME, "summary")).click()
        WebDriverWait(driver, 10).until(lambda d: len(section.find_elements(
            By.CSS_SELECTOR, "table.pins tbody tr")) >= 8)
        column = lambda i: driver.execute_script(
            "return Array.from(arguments[0].querySelectorAll('table.pins tbody tr'))"
            ".map(r => r.cells[arguments[1]].textContent)", section, i)
        buttons = section.find_elements(By.CSS_SELECTOR, "table.pins th button")
        numeric = lambda text: (0, int(text), "") if text.isdigit() else (1, 0, text.lower())
        reach(buttons[0]).click()
        check(column(0) == sorted(column(0), key=numeric), "pins not sorted by number: %s" % column(0))
        reach(buttons[0]).click()
        check(column(0) == sorted(column(0), key=numeric, reverse=True), "pins not sorted down")
        reach(buttons[1]).click()
        names = column(1)
        check(names != column(0) and names[0].lower() <= names[-1].lower(),
              "pins not sorted by name: %s" % names)

        # The hostile library: its texts shown, its script never run.
        driver.get(url("hostile.html"))
        check(driver.execute_script("return window.hit === undefined"), "a description ran")
        check("<script>" in driver.find_element(By.CSS_SELECTOR, "p.description").text,
              "the description is not shown as text")
        check(not driver.find_elements(By.CSS_SELECTOR, "a[href^=javascript]"),
              "a javascript: datasheet became a link")
    finally:
        driver.quit()


def main():
    cli, libraries = sys.argv[1], sys.argv[2:]
    if not shutil.which("chromium") or not os.path.exists("/usr/bin/chromedriver"):
        print("SKIP: Debian's chromium and chromium-driver are not installed "
              "(scripts/install-deps.sh --tests installs them)")
        sys.exit(SKIP)
    with tempfile.TemporaryDirectory() as work:
        hostile = os.path.join(work, "hostile.lib")
        with open(hostile, "w") as f:
            f.write("EESchema-LIBRARY Version 2.4\nDEF <b>X</b> U 0 40 Y Y 1 F N\n"
                    "F3 \"javascript:window.hit=1\" 0 0 50 H I C CNN\nDRAW\n"
                    "S -50 50 50 -50 0 1 10 N\nENDDRAW\nENDDEF\n#End Library\n")
        with open(os.path.join(work, "hostile.dcm"), "w") as f:
            f.write("EESchema-DOCLIB  Version 2.0\n$CMP <b>X</b>\n"
                    "D <script>window.hit=1</script>\n$ENDCMP\n")
        libraries = libraries + [hostile]
        site = os.path.join(work, "site")
        run = subprocess.run([cli, "site", *libraries, "-o", site], capture_output=True)
        check(run.returncode == 0, "quiral-cli site failed: %s" % run.stderr)
        pages = validate_pages(site)
        browser_checks(cli, site, libraries, pages)
    print("PASS: %d pages valid and checked in Chromium" % len(pages))


if __name__ == "__main__":
    main()

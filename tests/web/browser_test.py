#!/usr/bin/python3
"""kvelta-web in a real browser: Debian's chromium, headless, driven through chromium-driver.

Opens the menu, picks the Gauss-Kruger forward exercise, types the worked example, computes, and
compares every cell with kvelta-solve; a point in comma mode shows the error at its edit; the PDF
link downloads a PDF with kvelta-solve's page count; a hostile name stays text. Takes screenshots at
1366x768 and 390x844 into the folder given as the third argument.

usage: browser_test.py KVELTA_WEB KVELTA_SOLVE SCREENSHOT_DIR
"""
import json
import os
import re
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.common.exceptions import NoAlertPresentException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support import expected_conditions
from selenium.webdriver.support.ui import WebDriverWait

WEB, SOLVE, SHOTS = sys.argv[1], sys.argv[2], sys.argv[3]
CAPTION = "Вычисление прямоугольных координат Гаусса-Крюгера по геодезическим"
HOSTILE = '<script>alert("x")</script>'
failures = []
passed = 0


def check(condition, what):
    global passed
    if condition:
        passed += 1
    else:
        failures.append(what)
        print("FAILED:", what, flush=True)


def start_server():
    server = subprocess.Popen([WEB, "--listen", "127.0.0.1:0"], stdout=subprocess.PIPE, text=True)
    line = server.stdout.readline()
    port = int(re.search(r":(\d+)/", line).group(1))
    return server, "http://127.0.0.1:%d" % port


def browser(downloads):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--window-size=1366,768", "--lang=ru"):
        options.add_argument(argument)
    options.add_experimental_option("prefs", {"download.default_directory": downloads,
                                              "download.prompt_for_download": False})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.set_page_load_timeout(60)
    driver.execute_cdp_cmd("Page.setDownloadBehavior", {"behavior": "allow", "downloadPath": downloads})
    return driver


def submit(driver, act):
    """Does what sends the form (a click, Enter) and waits for the new page."""
    old = driver.find_element(By.TAG_NAME, "html")
    act()
    WebDriverWait(driver, 60).until(expected_conditions.staleness_of(old))
    WebDriverWait(driver, 60).until(lambda d: d.execute_script("return document.readyState") == "complete")


def page_cells(driver):
    """(row, column) -> text of every cell the page shows."""
    cells = {}
    table = driver.find_element(By.CSS_SELECTOR, "table.grid")
    columns = [int(c) for c in table.get_attribute("data-cols").split(",")]
    for tr in table.find_elements(By.TAG_NAME, "tr"):
        row = int(tr.get_attribute("data-r"))
        for i, cell in enumerate(tr.find_elements(By.CSS_SELECTOR, "th, td")):
            cells[(row, columns[i])] = cell.get_attribute("textContent")
    return cells


def screenshot(driver, name):
    for width, height in ((1366, 768), (390, 844)):
        driver.set_window_size(width, height)
        overflow = driver.execute_script("return document.documentElement.scrollWidth - window.innerWidth")
        check(overflow <= 0, "%s at %dx%d is %d px wider than the window" % (name, width, height, overflow))
        driver.save_screenshot(os.path.join(SHOTS, "%s-%dx%d.png" % (name, width, height)))
    driver.set_window_size(1366, 768)


def solve(*arguments):
    return subprocess.run([SOLVE, "gk-forward", "--decimal-separator", ","] + list(arguments),
                          capture_output=True, timeout=120)


def pdf_pages(path):
    info = subprocess.run(["pdfinfo", path], capture_output=True, text=True, timeout=60).stdout
    match = re.search(r"^Pages:\s+(\d+)", info, re.M)
    return int(match.group(1)) if match else -1


def wait_for_file(folder, suffix, seconds=60):
    deadline = time.time() + seconds
    while time.time() < deadline:
        done = [f for f in os.listdir(folder) if f.endswith(suffix)]
        if done:
            return os.path.join(folder, done[0])
        time.sleep(0.2)
    return None


def example_and_compute(driver, base):
    driver.get(base + "/")
    screenshot(driver, "index")
    submit(driver, driver.find_element(By.LINK_TEXT, CAPTION).click)
    submit(driver, driver.find_element(By.CSS_SELECTOR, "button[value=example]").click)
    check(driver.find_element(By.ID, "f-Edit8").get_attribute("value") == "44,0822", "the example typed")
    submit(driver, driver.find_element(By.CSS_SELECTOR, "button[value=compute]").click)
    expected = json.loads(solve("--example", "--tables-json", "-").stdout)["tables"][0]["cells"]
    cells = page_cells(driver)
    check(len(cells) > 40, "the page shows the table (%d cells)" % len(cells))
    wrong = [(at, text, expected[at[0]][at[1]]) for at, text in cells.items() if expected[at[0]][at[1]] != text]
    check(not wrong, "cells differ from kvelta-solve: %s" % wrong[:5])
    check(not driver.find_elements(By.ID, "error"), "no error after the example")
    screenshot(driver, "gk-forward")


def typed_point_shows_error(driver):
    field = driver.find_element(By.ID, "f-Edit8")
    field.clear()
    field.send_keys("15.5")
    submit(driver, lambda: field.send_keys(Keys.ENTER))  # Enter computes, as in the window
    error = driver.find_element(By.ID, "error").text
    check(error == "'15.5' is not a valid floating point value.", "the error box's words: %r" % error)
    marked = driver.find_element(By.ID, "f-Edit8")
    check(marked.get_attribute("aria-invalid") == "true", "the edit is marked")
    check(driver.switch_to.active_element == marked, "the marked edit has the focus")
    screenshot(driver, "gk-forward-error")


def pdf_downloads(driver, downloads):
    field = driver.find_element(By.ID, "f-Edit8")
    field.clear()
    field.send_keys("44,0822")
    submit(driver, lambda: field.send_keys(Keys.ENTER))
    driver.find_element(By.PARTIAL_LINK_TEXT, "PDF").click()
    path = wait_for_file(downloads, ".pdf")
    check(path is not None, "the PDF was downloaded")
    if path:
        with tempfile.NamedTemporaryFile(suffix=".pdf") as reference:
            solve("--example", "--pdf", reference.name)
            want = pdf_pages(reference.name)
        got = pdf_pages(path)
        check(got == want and got > 0, "PDF pages %d, kvelta-solve's %d" % (got, want))


def hostile_name_is_text(driver, base):
    driver.get(base + "/gk-forward")
    driver.find_element(By.ID, "f-Edit1").send_keys(HOSTILE)
    submit(driver, driver.find_element(By.CSS_SELECTOR, "button[value=compute]").click)
    try:
        driver.switch_to.alert
        check(False, "a script of the name ran")
    except NoAlertPresentException:
        check(True, "")
    check(driver.find_element(By.ID, "f-Edit1").get_attribute("value") == HOSTILE, "the name shows as typed")
    check(not driver.find_elements(By.TAG_NAME, "script"), "the page has no script element")


def main():
    os.makedirs(SHOTS, exist_ok=True)
    server, base = start_server()
    downloads = tempfile.mkdtemp()
    driver = None
    try:
        driver = browser(downloads)
        example_and_compute(driver, base)
        typed_point_shows_error(driver)
        pdf_downloads(driver, downloads)
        hostile_name_is_text(driver, base)
    finally:
        if driver:
            driver.quit()
        server.terminate()
        server.wait(timeout=30)
    print("%d passed, %d failed" % (passed, len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

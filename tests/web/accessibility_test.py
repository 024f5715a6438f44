#!/usr/bin/python3
"""Checks the browser page's accessibility in Chromium against the window's design: real
buttons and radio buttons named by their captions, each field described, polite
announcements from the order status, the comment and the profit indicator only, the
title; and a held key acting once.

  PYTHONPATH=tools ZEMKARI_DESIGN_FACTS=build/dev/tests/web/design_facts.json
      accessibility_test.py --site build/web/site"""

import sys

from selenium.webdriver.common.by import By

from page_checks import Mismatch, arguments, run_in_chromium
from zemkari_tools import page_driver


def check_accessibility(driver, url):
    facts = page_driver.design()
    page_driver.open_page(driver, url)
    polite = sorted(el.get_attribute("aria-description")
                    for el in driver.find_elements(By.CSS_SELECTOR, "main [aria-live=polite]"))
    if polite != sorted(facts["announced"]):
        raise Mismatch(f"polite announcements from {polite}")
    tree = driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
    described = {node["description"].get("value") for node in tree if "description" in node}
    missing = [text for text in facts["descriptions"] if text not in described]
    if missing:
        raise Mismatch(f"no control describes itself as {missing}")
    for word, button in facts["buttons"].items():
        element = page_driver.control(driver, word)
        if element.tag_name != "button" or element.accessible_name != button["caption"]:
            raise Mismatch(f"{button['caption']}: a {element.tag_name} named {element.accessible_name!r}")
    for word, selector in facts["selectors"].items():
        for index, item in enumerate(selector["items"]):
            radio = page_driver.control(driver, word, index).find_element(By.TAG_NAME, "input")
            if radio.get_attribute("type") != "radio" or radio.accessible_name != item["caption"]:
                raise Mismatch(f"{item['caption']}: a {radio.get_attribute('type')} named {radio.accessible_name!r}")
    if driver.title != facts["title"]:
        raise Mismatch(f"title {driver.title!r}")


def check_held_key(driver, url):
    """A held key acts once: the start key's repeats do nothing."""
    key = page_driver.design()["buttons"]["start"]["key"]
    page_driver.open_page(driver, url)
    opening = page_driver.board_state(driver)["labels"]
    # F1's virtual key code is 112.
    driver.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": "rawKeyDown", "key": key, "code": key,
                                                      "windowsVirtualKeyCode": 111 + int(key[1:]), "autoRepeat": True})
    if page_driver.board_state(driver)["labels"] != opening:
        raise Mismatch(f"a repeated {key} started the market")


if __name__ == "__main__":
    sys.exit(run_in_chromium(arguments().site, [(check_accessibility,), (check_held_key,)]))

#!/usr/bin/env python3
"""The web page in headless Chromium, driven by Selenium through real clicks and keys,
with the results compared with what gramarbor-cli prints for the same inputs.

Run by CTest (label web) with the built page's folder, the tool and the examples:
  browser_test.py --site build-web/site --cli build/src/cli/gramarbor-cli
                  --examples examples --artifacts build-web/artifacts
A screenshot of each page is kept in the artifacts folder."""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

ARGS = None
WAIT = 120  # seconds a page action may take before the test fails

PARK = "\n".join([
    "S = NP VP", "NP = Det N", "NP = NP PP", "NP = \"I\"", "VP = V NP", "VP = VP PP",
    "PP = P NP", "Det = \"the\"", "N = \"man\"", "N = \"park\"", "V = \"saw\"", "P = \"in\""])


def cli(*args, check=False):
    result = subprocess.run([ARGS.cli, *args], capture_output=True, text=True)
    if check and result.returncode != 0:
        raise AssertionError(f"gramarbor-cli {args}: {result.stderr}")
    return result


def example(name):
    return os.path.join(ARGS.examples, name)


def svg_words(svg):
    """The texts drawn in an SVG picture, in order."""
    return [re.sub(r"<[^>]*>", "", t).replace("&lt;", "<").replace("&gt;", ">")
            .replace("&quot;", "\"").replace("&amp;", "&")
            for t in re.findall(r"<text[^>]*>(.*?)</text>", svg, re.S)]


def bracket_words(text):
    return re.findall(r"[^\[\]\s]+", text)


class PageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.downloads = tempfile.mkdtemp(prefix="gramarbor_downloads_")
        cls.work = tempfile.mkdtemp(prefix="gramarbor_web_")
        # A static server of the page's folder on a free port, as a user would serve it.
        cls.server = subprocess.Popen(
            [sys.executable, "-u", "-m", "http.server", "0", "--bind", "127.0.0.1",
             "-d", ARGS.site], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        line = cls.server.stdout.readline()
        port = re.search(r"port (\d+)", line).group(1)
        cls.url = f"http://127.0.0.1:{port}/index.html"
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for argument in ["--headless=new", "--no-sandbox", "--disable-gpu",
                         "--disable-dev-shm-usage", "--window-size=1280,900"]:
            options.add_argument(argument)
        options.add_experimental_option("prefs", {
            "download.default_directory": cls.downloads,
            "download.prompt_for_download": False})
        cls.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        cls.driver.execute_cdp_cmd("Page.setDownloadBehavior",
                                   {"behavior": "allow", "downloadPath": cls.downloads})
        cls.load_page(clear=True)

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.server.terminate()
        cls.server.wait()
        shutil.rmtree(cls.downloads, ignore_errors=True)
        shutil.rmtree(cls.work, ignore_errors=True)

    @classmethod
    def load_page(cls, clear=False):
        cls.driver.get(cls.url)
        if clear:
            cls.driver.execute_script("localStorage.clear()")
            cls.driver.get(cls.url)
        WebDriverWait(cls.driver, WAIT).until(
            lambda d: d.execute_script("return document.body.dataset.ready === 'true'"))

    # ---- helpers ----
    def el(self, element_id):
        return self.driver.find_element(By.ID, element_id)

    def click(self, element_id):
        self.el(element_id).click()

    def text(self, element_id):
        return self.el(element_id).get_attribute("textContent")

    def wait_idle(self):
        WebDriverWait(self.driver, WAIT).until(lambda d: not d.execute_script(
            "return document.body.classList.contains('busy')"))

    def take_message(self):
        """The text of the message box shown, closed with its OK button; None without one."""
        if self.el("message").get_attribute("hidden") is not None:
            return None
        text = self.text("message-text")
        self.click("message-ok")
        return text

    def take_messages(self):
        texts = []
        while (text := self.take_message()) is not None:
            texts.append(text)
        return texts

    def set_grammar(self, text, typed=True):
        field = self.el("grammar")
        self.click("tab-parsing")
        self.click("tab-external")
        field.clear()
        if typed:
            field.send_keys(text)
        else:
            # Large grammars are pasted.
            self.driver.execute_script(
                "arguments[0].value = arguments[1];"
                "arguments[0].dispatchEvent(new Event('input'))", field, text)

    def set_sentence(self, text):
        field = self.el("input-text")
        field.clear()
        field.send_keys(text)

    def set_options(self, method, direction, trace, trees=True):
        """trace: None, 0 (detailed) or 1 (optimal)."""
        box = self.el("TraceListCB")
        if box.is_selected() != (trace is not None):
            box.click()
        if trace is not None:
            for group, item in (("ParseMethodRG", method), ("ParseDirRG", direction),
                                ("TraceListRG", trace)):
                self.driver.find_element(
                    By.CSS_SELECTOR, f"input[name={group}][value='{item}']").click()
        box = self.el("ParseTreeCB")
        if box.is_selected() != trees:
            box.click()
        return self.driver.execute_script("return options")

    def parse(self):
        self.click("parse")
        self.wait_idle()
        return self.driver.execute_script(
            "return document.getElementById('page-parsing').dataset.verdict")

    def downloaded(self, name):
        path = os.path.join(self.downloads, name)
        deadline = time.time() + 30
        while time.time() < deadline:
            if os.path.exists(path) and not os.path.exists(path + ".crdownload"):
                with open(path, "rb") as file:
                    data = file.read()
                os.remove(path)
                return data
            time.sleep(0.1)
        self.fail(f"{name} was not downloaded")

    def screenshot(self, name):
        os.makedirs(ARGS.artifacts, exist_ok=True)
        self.driver.save_screenshot(os.path.join(ARGS.artifacts, name))

    # ---- the session ----
    def test_1_check_lists_the_grammar_or_marks_the_faulty_line(self):
        with open(example("quickstart.cfg"), encoding="utf-8") as file:
            grammar = file.read()
        self.set_grammar(grammar)
        self.click("check")
        self.wait_idle()
        self.assertEqual(self.take_messages(), [])
        expected = cli("check", example("quickstart.cfg"), check=True).stdout
        self.assertEqual(self.text("listing") + "\n", expected)

        faulty = os.path.join(self.work, "faulty.cfg")
        lines = ["S = NP VP", "// comment", "NP = \"a\"", "VP = = \"b\""]
        with open(faulty, "w", encoding="utf-8") as file:
            file.write("\n".join(lines) + "\n")
        result = cli("check", faulty)
        line, message = re.match(r".*?:(\d+): error: (.*)", result.stderr.strip()).groups()
        self.set_grammar("\n".join(lines))
        self.click("check")
        self.wait_idle()
        self.assertEqual(self.take_messages(), [message])
        field = self.el("grammar")
        self.assertEqual(field.get_attribute("data-error-line"), str(int(line) - 1))
        start = self.driver.execute_script("return arguments[0].selectionStart", field)
        end = self.driver.execute_script("return arguments[0].selectionEnd", field)
        self.assertEqual(field.get_attribute("value")[start:end], lines[int(line) - 1])

    def test_2_parse_with_each_strategy_gives_the_tools_trace_and_count(self):
        with open(example("ambiguous_pp.cfg"), encoding="utf-8") as file:
            self.set_grammar(file.read())
        sentence = "I saw the man with the telescope"
        self.set_sentence(sentence)
        for method in (0, 1):
            for direction in (0, 1):
                for trace in (0, 1):
                    options = self.set_options(method, direction, trace)
                    with self.subTest(options=options):
                        self.assertEqual(self.parse(), "accepted")
                        self.assertEqual(self.take_messages(), [])
                        out = cli("parse", "--options", str(options), "--no-trees", "--count",
                                  example("ambiguous_pp.cfg"), *sentence.split(), check=True)
                        blocks = out.stdout.split("\n\n")
                        self.assertEqual(blocks[0], "Parsing successful!")
                        trace_lines = blocks[1].rstrip("\n").split("\n")
                        # The first page of the trace is shown.
                        self.assertEqual(self.text("trace"), "\n".join(trace_lines[:500]))
                        self.assertEqual(self.text("trace-total"), f"{len(trace_lines)} Lines")
                        self.assertEqual(self.text("trace-last"), f"\"{trace_lines[-1]}\"")
                        self.assertEqual(self.text("tree-count"), blocks[2].strip())
        self.screenshot("parsing.png")
        # Rejected, and accepted without any result page.
        self.set_options(0, 0, None, trees=False)
        self.set_sentence("the man saw")
        self.assertEqual(self.parse(), "rejected")
        self.assertEqual(self.take_messages(), [cli(
            "parse", example("ambiguous_pp.cfg"), "the", "man", "saw").stdout.strip()])
        self.set_sentence(sentence)
        self.assertEqual(self.parse(), "accepted")
        self.assertEqual(self.take_messages(), ["Parsing successful!"])

    def test_2b_a_long_trace_is_shown_page_by_page(self):
        with open(example("ambiguous_pp.cfg"), encoding="utf-8") as file:
            self.set_grammar(file.read())
        sentence = "the man with the man saw the man"
        self.set_sentence(sentence)
        options = self.set_options(1, 0, 0, trees=False)  # bottom-up, depth-first, detailed
        self.assertEqual(self.parse(), "accepted")
        self.take_messages()
        out = cli("parse", "--options", str(options), "--no-trees", example("ambiguous_pp.cfg"),
                  *sentence.split(), check=True)
        lines = out.stdout.split("\n\n")[1].rstrip("\n").split("\n")
        self.assertGreater(len(lines), 50000)
        count = len(lines)
        self.assertEqual(self.text("trace-total"), f"{count} Lines")
        self.assertEqual(self.text("trace-last"), f"\"{lines[-1]}\"")
        self.assertEqual(self.text("trace"), "\n".join(lines[:500]))
        self.assertEqual(self.text("trace-range"), f"Lines 0\u2013499 of {count}")
        self.assertFalse(self.el("trace-prev").is_enabled())
        self.click("trace-next")
        self.wait_idle()
        self.assertEqual(self.text("trace"), "\n".join(lines[500:1000]))
        # A line typed in the field brings its page; past the end, the last page.
        for typed, first in (("50123", 50000), (str(count + 99), (count - 1) // 500 * 500)):
            field = self.el("trace-line")
            field.clear()
            field.send_keys(typed, Keys.ENTER)
            self.wait_idle()
            self.assertEqual(self.text("trace"), "\n".join(lines[first:first + 500]))
            if first == 50000:
                self.screenshot("trace.png")
        self.assertFalse(self.el("trace-next").is_enabled())
        self.click("trace-prev")
        self.wait_idle()
        first = (count - 1) // 500 * 500 - 500
        self.assertEqual(self.text("trace"), "\n".join(lines[first:first + 500]))
        # A parse without a trace leaves no pages behind.
        self.set_options(0, 0, None, trees=False)
        self.assertEqual(self.parse(), "accepted")
        self.take_messages()
        self.assertEqual(self.text("trace"), "")
        self.assertFalse(self.el("trace-pages").is_displayed())

    def test_3_parse_trees_are_stepped_as_the_tool_lists_them(self):
        self.set_grammar(PARK)
        words = "I saw the man in the park in the park in the park".split()
        self.set_sentence(" ".join(words))
        self.set_options(0, 0, None, trees=True)
        self.assertEqual(self.parse(), "accepted")
        self.assertEqual(self.take_messages(), [])
        grammar = os.path.join(self.work, "park.cfg")
        with open(grammar, "w", encoding="utf-8") as file:
            file.write(PARK + "\n")
        trees = cli("parse", grammar, *words, check=True).stdout.split("\n\n")[1].split("\n")
        trees = [tree for tree in trees if tree]
        self.assertEqual(self.text("tree-count"), str(len(trees)))
        self.assertEqual(self.el("tree-current").get_attribute("value"), "1")
        self.assertFalse(self.el("tree-prev").is_enabled())
        for number, tree in enumerate(trees, 1):
            with self.subTest(tree=number):
                self.assertEqual(self.el("tree-current").get_attribute("value"), str(number))
                self.assertEqual(svg_words(self.el("parse-tree").get_attribute("innerHTML")),
                                 svg_words_of_tree(tree))
                if number < len(trees):
                    self.click("tree-next")
                    self.wait_idle()
        self.assertFalse(self.el("tree-next").is_enabled())
        # A typed number, and one past the last tree.
        field = self.el("tree-current")
        field.clear()
        field.send_keys("2" + Keys.ENTER)
        self.wait_idle()
        self.assertEqual(self.el("tree-current").get_attribute("value"), "2")
        field = self.el("tree-current")
        field.clear()
        field.send_keys("99" + Keys.ENTER)
        self.wait_idle()
        self.assertEqual(self.take_messages(),
                         [f"Please enter a tree number from 1 to {len(trees)}."])
        self.click("save-parse-tree")
        self.wait_idle()
        saved = os.path.join(self.work, "parse.tre")
        with open(saved, "wb") as file:
            file.write(self.downloaded("parse tree.tre"))
        self.assertEqual(cli("tree", "--in", saved, check=True).stdout.strip(), trees[1])

    def test_4_cancel_ends_a_long_parse_and_the_page_parses_again(self):
        self.set_grammar(PARK)
        long_sentence = "I saw the man" + " in the park" * 9
        self.set_sentence(long_sentence)
        self.set_options(0, 1, 0, trees=False)
        self.click("parse")
        WebDriverWait(self.driver, WAIT).until(lambda d: self.el("progress").is_displayed())
        time.sleep(1.5)
        self.assertTrue(self.el("progress").is_displayed(), "the parse ended too soon")
        self.assertIn("Parsing", self.text("progress-text"))
        # The page answers while the worker searches.
        self.click("tab-trees")
        self.click("tab-parsing")
        self.click("cancel")
        self.wait_idle()
        self.assertFalse(self.el("progress").is_displayed())
        self.assertEqual(self.take_messages(),
                         ["Parsing was cancelled. The sentence was neither accepted nor rejected."])
        self.set_options(0, 0, None, trees=True)
        self.set_sentence("I saw the man in the park")
        self.assertEqual(self.parse(), "accepted")
        self.assertEqual(self.text("tree-count"), "2")

    def test_5_bracket_text_becomes_a_drawn_tree_and_files(self):
        self.click("tab-trees")
        formats = [
            ("Standard", "[S [NP [John]] [VP [V [sees]] [NP [Mary]]]]", []),
            ("v(w(x),y(z))", "S(NP(John),VP(V(sees),NP(Mary)))", ["--separator", "comma",
                                                                   "--brackets", "()",
                                                                   "--parent-outside"]),
            ("Labelled brackets", "(S (NP John) (VP (V sees) (NP Mary)))", ["--labelled"]),
        ]
        for shortcut, text, cli_format in formats:
            with self.subTest(format=shortcut):
                self.driver.find_element(
                    By.XPATH, f"//button[@data-shortcut and text()='{shortcut}']").click()
                self.set_sentence(text)
                self.click("text-to-tree")
                self.assertEqual(self.take_messages(), [])
                printed = cli("tree", *cli_format, "--", text, check=True).stdout.strip()
                self.click("tree-to-text")
                self.assertEqual(self.el("input-text").get_attribute("value"), printed)
                self.assertEqual(svg_words(self.el("tree").get_attribute("innerHTML")),
                                 ["S", "NP", "John", "VP", "V", "sees", "NP", "Mary"])
        self.screenshot("trees.png")

        self.click("download-tre")
        tre = os.path.join(self.work, "page.tre")
        with open(tre, "wb") as file:
            file.write(self.downloaded("tree.tre"))
        self.assertEqual(cli("tree", "--labelled", "--brackets", "()", "--in", tre, check=True).stdout.strip(),
                         "(S (NP John) (VP (V sees) (NP Mary)))")
        self.click("download-wmf")
        self.assertEqual(self.downloaded("tree.wmf")[:4], b"\xd7\xcd\xc6\x9a")
        self.click("download-svg")
        svg = self.downloaded("tree.svg").decode("utf-8")
        self.assertIn("<svg", svg)
        self.click("download-png")
        png = self.downloaded("tree.png")
        self.assertEqual(png[:8], b"\x89PNG\r\n\x1a\n")
        width, height = re.search(r'width="(\d+)" height="(\d+)"', svg).groups()
        self.assertEqual((int.from_bytes(png[16:20], "big"), int.from_bytes(png[20:24], "big")),
                         (int(width), int(height)))

        # A tree file written by the tool, opened from disk.
        made = os.path.join(self.work, "made.tre")
        cli("tree", "[A [B] [C [D]]]", "-o", made, check=True)
        self.el("load-tree").send_keys(made)
        self.driver.find_element(By.XPATH, "//button[@data-shortcut and text()='Standard']").click()
        self.click("tree-to-text")
        self.assertEqual(self.el("input-text").get_attribute("value"), "[A [B] [C [D]]]")
        self.assertEqual(self.take_messages(), [])
        # A treebank file is stepped tree by tree.
        self.el("load-tree").send_keys(os.path.abspath(example("treebank.mrg")))
        self.assertTrue(self.text("treebank").startswith("Tree 1 of "))
        self.click("treebank-next")
        self.assertTrue(self.text("treebank").startswith("Tree 2 of "))
        # A file larger than any treebank is refused before it is read.
        big = os.path.join(self.work, "big.mrg")
        with open(big, "wb") as file:
            file.truncate(64 * 1024 * 1024 + 1)
        self.el("load-tree").send_keys(big)
        self.assertEqual(self.take_messages(), ["The file big.mrg holds more than 64 MB of trees."])
        os.remove(big)
        # Text > tree without text.
        self.el("input-text").clear()
        self.click("text-to-tree")
        self.assertEqual(self.take_messages(),
                         ["There is no text in \"Input text\" to translate into a tree."])

    def test_6_the_network_of_the_grammar_is_drawn(self):
        with open(example("quickstart.cfg"), encoding="utf-8") as file:
            self.set_grammar(file.read())
        self.click("tab-network")
        self.click("make-rtn")
        self.wait_idle()
        self.assertEqual(self.take_messages(), [])
        words = svg_words(self.el("network").get_attribute("innerHTML"))
        # Each net is headed by its name and ends in "pop"; terminals are in marks.
        for name in ("S:", "NP:", "VP:", "DET:", "N:", "V:", "\u203athe\u2039"):
            self.assertIn(name, words)
        self.assertEqual(words.count("pop"), 7)
        self.screenshot("network.png")

    def test_7_grammar_sentence_options_and_history_outlive_a_reload(self):
        self.set_grammar("S = \"a\"")
        self.set_sentence("a")
        options = self.set_options(1, 0, 1, trees=False)
        self.el("grammar").click()  # leaving the in/out field records it
        self.load_page()
        self.assertEqual(self.el("grammar").get_attribute("value"), "S = \"a\"")
        self.assertEqual(self.el("input-text").get_attribute("value"), "a")
        self.assertEqual(self.driver.execute_script("return options"), options)
        self.assertTrue(self.el("TraceListCB").is_selected())
        history = self.driver.execute_script(
            "return [...document.querySelectorAll('#input-history option')].map(o => o.value)")
        self.assertEqual(history[0], "a")


def svg_words_of_tree(tree):
    return bracket_words(tree)


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--site", required=True)
    parser.add_argument("--cli", required=True)
    parser.add_argument("--examples", required=True)
    parser.add_argument("--artifacts", required=True)
    ARGS, rest = parser.parse_known_args()
    ARGS.artifacts = os.path.abspath(ARGS.artifacts)
    unittest.main(argv=[sys.argv[0], "-v", *rest])


if __name__ == "__main__":
    main()

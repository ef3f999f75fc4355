#!/usr/bin/env python3
"""Times the web edition in headless Chromium against the native gramarbor-cli on the
same work: counting the 208,012 parse trees of "I saw the man" with eleven attached
phrases (the count, and the first 32,768 trees kept), and checking a generated grammar
of about 60,000 rules. Prints the best of three runs of each.

Usage (after scripts/setup --web, scripts/build-web and the normal build):
  /usr/bin/python3 bench/web_speed.py [build-web/site] [build/src/cli/gramarbor-cli]"""

import os
import re
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

PHRASES = ["Start = S", "S = NP VP", "NP = PRON", "NP = DET N", "NP = NP PP", "VP = V NP",
           "VP = VP PP", "PP = P NP", "PRON = \"I\"", "DET = \"the\"", "DET = \"a\"",
           "N = \"man\"", "N = \"telescope\"", "N = \"park\"", "V = \"saw\"", "P = \"with\"",
           "P = \"in\""]


def phrase_words(phrases):
    words = ["I", "saw", "the", "man"]
    tails = [["with", "a", "telescope"], ["in", "the", "park"]]
    for i in range(phrases):
        words += tails[i % 2]
    return words


def word(n):
    text = ""
    while True:
        text += chr(ord("a") + n % 26)
        n //= 26
        if n == 0:
            return text


def generated_grammar(phrase_rules, lexicon_words):
    """The grammar of bench/grammar_bench.cpp's BM_CheckLargeGrammar."""
    lines = ["// generated", "Start = S", "S = NP VP [X0]", "NP = DET {ADJ} N [PP]",
             "VP = {ADV} V [NP]", "PP = P NP"]
    for i in range(phrase_rules):
        nxt = f"X{i + 1}" if i + 1 < phrase_rules else "N"
        lines.append([f"X{i} = <N,V> [ADJ] \"of\" {nxt}", f"X{i} = {{ADV}} NP (PP|ADV) {nxt}",
                      f"X{i} = DET \"w{i}\" {nxt}", f"X{i} = @Ident [@Number] {nxt}"][i % 4])
    categories = ["N", "N", "N", "N", "V", "V", "V", "ADJ", "ADJ", "ADV", "P", "DET"]
    lines += [f"{categories[i % 12]} = \"{word(i)}\"" for i in range(lexicon_words)]
    return "\n".join(lines)


def best_native(args):
    times = []
    for _ in range(3):
        start = time.perf_counter()
        subprocess.run(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
        times.append(time.perf_counter() - start)
    return min(times)


def main():
    site = sys.argv[1] if len(sys.argv) > 1 else "build-web/site"
    cli = sys.argv[2] if len(sys.argv) > 2 else "build/src/cli/gramarbor-cli"
    work = tempfile.mkdtemp(prefix="gramarbor_speed_")
    phrases = os.path.join(work, "phrases.cfg")
    large = os.path.join(work, "large.cfg")
    large_text = generated_grammar(400, 59600)
    with open(phrases, "w", encoding="utf-8") as file:
        file.write("\n".join(PHRASES) + "\n")
    with open(large, "w", encoding="utf-8") as file:
        file.write(large_text + "\n")
    words = phrase_words(11)

    server = subprocess.Popen([sys.executable, "-u", "-m", "http.server", "0", "--bind",
                               "127.0.0.1", "-d", site], stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, text=True)
    port = re.search(r"port (\d+)", server.stdout.readline()).group(1)
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage"]:
        options.add_argument(argument)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.set_script_timeout(600)
    try:
        driver.get(f"http://127.0.0.1:{port}/index.html")
        WebDriverWait(driver, 60).until(
            lambda d: d.execute_script("return document.body.dataset.ready === 'true'"))

        def best_web(name, args):
            times = []
            answer = None
            for _ in range(3):
                seconds, answer = driver.execute_async_script(
                    "const done = arguments[arguments.length - 1];"
                    "const start = performance.now();"
                    "ask(arguments[0], arguments[1]).then(a => done("
                    "[(performance.now() - start) / 1000, a]));", name, args)
                times.append(seconds)
            return min(times), answer

        sentence = " ".join(words)
        web_parse, answer = best_web("gb_parse", ["\n".join(PHRASES), sentence, 0x65])
        count = answer["trees"]["count"]
        native_parse = best_native([cli, "parse", "--max-trees", "32768", "--count", phrases,
                                    *words])
        native_count = best_native([cli, "parse", "--no-trees", "--count", phrases, *words])
        web_check, answer = best_web("gb_check", [large_text])
        rules = len(answer["listing"])
        native_check = best_native([cli, "check", large])
    finally:
        driver.quit()
        server.terminate()

    print(f"parse, {count} trees counted, first 32,768 kept:")
    print(f"  browser {web_parse:.3f} s, native {native_parse:.3f} s "
          f"(native count only {native_count:.3f} s), ratio {web_parse / native_parse:.2f}")
    print(f"check, {rules} internal rules:")
    print(f"  browser {web_check:.3f} s, native {native_check:.3f} s, "
          f"ratio {web_check / native_check:.2f}")


if __name__ == "__main__":
    main()

# SPDX-License-Identifier: GPL-3.0-or-later
# quotes.py TS_FILE: fails on a translation that quotes with "…" or “…”: German quotes „…“ only.
# The quotes of HTML attributes are markup, not the language's.
import re
import sys
import xml.etree.ElementTree as ET

wrong = []
for translation in ET.parse(sys.argv[1]).iter("translation"):
    for text in [translation.text or ""] + [n.text or "" for n in translation.iter("numerusform")]:
        words = re.sub(r'\w+="[^"]*"', "", text)
        words = re.sub("\u201e[^\u201c\u201d\"]*\u201c", "", words)
        if re.search("[\"\u201c\u201d]", words):
            wrong.append(text)
for text in wrong:
    print(text)
sys.exit(1 if wrong else 0)

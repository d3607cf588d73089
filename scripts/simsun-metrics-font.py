#!/usr/bin/python3
"""Writes a font with SimSun's metrics for the Wine prefixes, which have no SimSun: AR PL UMing CN (a Song face
like SimSun, with half-width Latin and full-width Chinese letters) with its lines made 1 em high, as SimSun's
are, under a family name of its own.

    simsun-metrics-font.py OUTPUT.ttf

The Arphic Public License lets a modified copy be made, provided that the file says how and when it was
changed; the name table says so. The copy stays in the build folder and is not distributed.
"""
import datetime
import sys

from fontTools.ttLib import TTCollection

SOURCE = "/usr/share/fonts/truetype/arphic/uming.ttc"
FAMILY = "UMing SimSun Metrics"

font = TTCollection(SOURCE).fonts[0]  # AR PL UMing CN
em = font["head"].unitsPerEm
# SimSun: ascent 220 and descent 36 of 256 units, so a line is exactly 1 em.
ascent, descent = em * 220 // 256, em * 36 // 256
hhea, os2 = font["hhea"], font["OS/2"]
hhea.ascent, hhea.descent, hhea.lineGap = ascent, -descent, 0
os2.usWinAscent, os2.usWinDescent = ascent, descent
os2.sTypoAscender, os2.sTypoDescender, os2.sTypoLineGap = ascent, -descent, 0

# Its bitmaps for small sizes draw Chinese letters wider than an em (16 pixels at 15); SimSun's are an em wide.
for table in ("EBDT", "EBLC", "BDF "):
    del font[table]

names = font["name"]
notice = (f"Modified on {datetime.date.today().isoformat()} for Quillbarrow's tests: line metrics set to 1 em "
          f"(ascent {ascent}, descent {descent} of {em}), bitmaps removed, family renamed to {FAMILY}.")
for record in list(names.names):
    if record.nameID in (1, 4, 16):
        names.setName(FAMILY, record.nameID, record.platformID, record.platEncID, record.langID)
    elif record.nameID == 6:
        names.setName(FAMILY.replace(" ", ""), record.nameID, record.platformID, record.platEncID, record.langID)
    elif record.nameID == 0:
        names.setName(str(record) + " " + notice, 0, record.platformID, record.platEncID, record.langID)
font.save(sys.argv[1])

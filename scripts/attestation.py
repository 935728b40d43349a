#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""How many pairs of a word list the FreeDict dictionaries attest: directly (an Italian
alternative's Italian-Russian entry gives the Russian headword) or through English (an Italian
alternative and the Russian headword share an English translation, by the Italian-English,
English-Italian and English-Russian dictionaries).

  scripts/attestation.py [WORDS.TSV ...]     default: resources/words.tsv

Needs Debian's dict-freedict-ita-rus, -ita-eng, -eng-ita and -eng-rus (in /usr/share/dictd)."""
import base64
import gzip
import re
import sys
from collections import defaultdict

DICTIONARIES = '/usr/share/dictd/freedict-{}'
# The word list writes an accented Italian vowel with the Cyrillic letter of the same byte.
STAND_INS = str.maketrans('аиймтущИ', 'àèéìòóùÈ')


def number(text):
    value = 0
    for character in text:
        value = value * 64 + 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/'.index(character)
    return value


def russian(text):
    return text.lower().replace('\u0301', '').replace('ё', 'е').strip()


def items(line):
    line = re.sub(r'\([^)]*\)|\[[^]]*\]|<[^>]*>|^\s*\d+\.\s*', ' ', line)
    return {item.strip().lower() for item in re.split(r'[,;]', line) if item.strip()}


def dictionary(pair):
    """headword -> the set of its translations, both lower case."""
    data = gzip.open(DICTIONARIES.format(pair) + '.dict.dz').read()
    entries = defaultdict(set)
    for line in open(DICTIONARIES.format(pair) + '.index', encoding='utf-8'):
        headword, offset, length = line.rstrip('\n').split('\t')
        if headword.startswith('00database'):
            continue
        text = data[number(offset):number(offset) + number(length)].decode('utf-8', 'replace')
        for translation in text.split('\n')[1:]:
            entries[headword.lower()] |= {russian(item) for item in items(translation)}
    return entries


def main():
    ita_rus, ita_eng, eng_ita, eng_rus = (dictionary(p) for p in ('ita-rus', 'ita-eng', 'eng-ita', 'eng-rus'))
    rus_eng = defaultdict(set)
    for english, translations in eng_rus.items():
        for word in translations:
            rus_eng[word].add(english)
    for path in sys.argv[1:] or ['resources/words.tsv']:
        direct = pivot = 0
        for line in open(path, encoding='utf-8'):
            _, headword, italian = line.rstrip('\n').split('\t')
            headword = russian(headword)
            alternatives = [a.strip().lower() for a in italian.translate(STAND_INS).split(',')]
            if any(headword in ita_rus.get(a, ()) for a in alternatives):
                direct += 1
            elif any(ita_eng.get(a, set()) & rus_eng[headword] or
                     any(a in eng_ita.get(e, ()) for e in rus_eng[headword]) for a in alternatives):
                pivot += 1
        print(f'{path}: {direct} pairs attested directly, {pivot} more through English, '
              f'{direct + pivot} in all')


if __name__ == '__main__':
    main()

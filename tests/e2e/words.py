#!/usr/bin/python3
"""The translations of a text shown by the program, from the word list.
usage: words.py WORDS.TSV TEXT    prints every translation of TEXT, one per line"""
import sys

words, text = sys.argv[1], sys.argv[2]
for line in open(words, encoding='utf-8'):
    index, russian, italian = line.rstrip('\n').split('\t')
    italian = italian.encode('cp1251').decode('latin-1')  # as shown: "piщ" reads "più"
    if text == russian:
        print(italian)
    if text == italian:
        print(russian)
